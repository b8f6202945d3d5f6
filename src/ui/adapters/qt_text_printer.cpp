// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_text_printer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPrintDialog>

QtTextPrinter::QtTextPrinter(QWidget *dialogParent)
    : m_printer(QPrinter::HighResolution)
    , m_dialogParent(dialogParent) {}

QtTextPrinter::QtTextPrinter(const QString &pdfFile)
    : m_printer(QPrinter::HighResolution)
    , m_showDialog(false) {
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(pdfFile);
}

bool QtTextPrinter::choosePrinter() {
    if (!m_showDialog)
        return true;
    QPrintDialog dialog(&m_printer, m_dialogParent);
    return dialog.exec() == QDialog::Accepted;
}

void QtTextPrinter::useFont(const QString &family, double pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    // The table lines up only in a fixed-pitch font; take the system's when this one
    // is not installed.
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(pointSize);
    }
    m_font = font;
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

bool QtTextPrinter::startPainting() {
    if (m_painter.isActive())
        return true;
    if (!m_painter.begin(&m_printer))
        return false;
    m_painter.setFont(m_font);
    m_y = 0;
    return true;
}

bool QtTextPrinter::printLine(const QString &line) {
    if (!startPainting())
        return false;
    const QFontMetricsF metrics(m_painter.font(), &m_printer);
    const double pageHeight =
        m_printer.pageLayout().paintRectPixels(m_printer.resolution()).height();
    if (m_y + metrics.height() > pageHeight) {
        if (!m_printer.newPage())
            return false;
        m_y = 0;
    }
    m_painter.drawText(QPointF(0, m_y + metrics.ascent()), line);
    m_y += metrics.lineSpacing();
    return true;
}

bool QtTextPrinter::endDocument() {
    return startPainting() && m_painter.end();
}
