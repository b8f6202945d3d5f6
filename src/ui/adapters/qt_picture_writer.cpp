// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_picture_writer.h"

#include "ui/adapters/qt_painter_surface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// The resolution of a window's own image: a font in points comes out as large on the
// vector drawings as on the screen.
int imageResolution() {
    return QImage(1, 1, QImage::Format_RGB32).logicalDpiX();
}

QString reasonOf(const QFileDevice &file) {
    const QString reason = file.errorString();
    return reason.isEmpty() ? QStringLiteral("The file could not be written") : reason;
}

} // namespace

QtPictureWriter::QtPictureWriter(const QFont &font)
    : m_font(font) {}

bool QtPictureWriter::fail(const QString &reason) {
    m_error = reason;
    return false;
}

bool QtPictureWriter::write(const QString &path, const QSize &size,
                            const std::function<void(Surface &)> &draw) {
    m_error.clear();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg") &&
        suffix != QLatin1String("pdf"))
        return fail(QStringLiteral("A picture is saved as PNG, SVG or PDF: the file name must "
                                   "end in .png, .svg or .pdf"));
    if (size.isEmpty())
        return fail(QStringLiteral("The window is too small to hold a picture"));

    // The whole picture is made in memory first: a file that cannot be made is not begun.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const int dpi = imageResolution();
    const QString title = QFileInfo(path).completeBaseName();
    if (suffix == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QtPainterSurface surface(image, size, m_font);
        draw(surface);
        surface.finish();
        QImageWriter writer(&buffer, "png");
        if (!writer.write(image))
            return fail(writer.errorString());
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(), size));
        generator.setResolution(dpi);
        generator.setTitle(title);
        generator.setDescription(QStringLiteral("A graph drawn by ThermoDesk"));
        QtPainterSurface surface(generator, size, m_font);
        draw(surface);
        if (!surface.finish())
            return fail(QStringLiteral("The SVG drawing could not be made"));
    } else {
        QPdfWriter writer(&buffer);
        writer.setResolution(dpi);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point, QString(),
                                     QPageSize::ExactMatch));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("ThermoDesk"));
        QtPainterSurface surface(writer, size, m_font);
        draw(surface);
        if (!surface.finish())
            return fail(QStringLiteral("The PDF page could not be made"));
    }
    buffer.close();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reasonOf(file));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = reasonOf(file);
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(reasonOf(file));
    return true;
}
