// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/image_printer.h"

#include <QPointer>
#include <QPrinter>

class QWidget;

// Prints a graph window's picture through QPrinter, scaled to fill the page's printable
// area with its proportions kept.
class QtImagePrinter : public ImagePrinter {
public:
    // With a parent window the printer dialog is shown; with a PDF file name the picture
    // goes to that file without a dialog.
    explicit QtImagePrinter(QWidget *dialogParent);
    explicit QtImagePrinter(const QString &pdfFile);

    bool choosePrinter() override;
    // Only a surface that keeps its pixels (the window's) can be printed.
    bool printImage(const Surface &surface) override;

private:
    QPrinter m_printer;
    QPointer<QWidget> m_dialogParent;
    bool m_showDialog = true;
};
