// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/text_printer.h"

#include <QFont>
#include <QPainter>
#include <QPointer>
#include <QPrinter>

class QWidget;

// Prints text lines through QPrinter, one after the other down the page, starting a new
// page when the next line no longer fits.
class QtTextPrinter : public TextPrinter {
public:
    // With a parent window the printer dialog is shown; with a PDF file name the lines go
    // to that file without a dialog.
    explicit QtTextPrinter(QWidget *dialogParent);
    explicit QtTextPrinter(const QString &pdfFile);

    bool choosePrinter() override;
    void useFont(const QString &family, double pointSize) override;
    bool printLine(const QString &line) override;
    bool endDocument() override;

    QFont font() const { return m_font; }

private:
    bool startPainting();

    QPrinter m_printer;
    QPointer<QWidget> m_dialogParent;
    bool m_showDialog = true;
    QPainter m_painter;
    QFont m_font;
    double m_y = 0;
};
