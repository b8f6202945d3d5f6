// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_image_printer.h"

#include "platform/surface.h"

#include <QPainter>
#include <QPrintDialog>

QtImagePrinter::QtImagePrinter(QWidget *dialogParent)
    : m_printer(QPrinter::HighResolution)
    , m_dialogParent(dialogParent) {
    m_printer.setPageOrientation(QPageLayout::Landscape);
}

QtImagePrinter::QtImagePrinter(const QString &pdfFile)
    : m_printer(QPrinter::HighResolution)
    , m_showDialog(false) {
    m_printer.setPageOrientation(QPageLayout::Landscape);
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(pdfFile);
}

bool QtImagePrinter::choosePrinter() {
    if (!m_showDialog)
        return true;
    QPrintDialog dialog(&m_printer, m_dialogParent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtImagePrinter::printImage(const Surface &surface) {
    const Surface::Pixels pixels = surface.pixels();
    if (!pixels.bits)
        return false;
    const QImage image(pixels.bits, pixels.size.width(), pixels.size.height(), pixels.bytesPerLine,
                       QImage::Format_RGB32);
    QPainter painter;
    if (!painter.begin(&m_printer))
        return false;
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    // Scaled without smoothing and stored without JPEG: a thin curve stays a crisp line
    // in its own colour on paper and in a PDF.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.drawImage(QRect(page.topLeft(), size), image);
    return painter.end();
}
