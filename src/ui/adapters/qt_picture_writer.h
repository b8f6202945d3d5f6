// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/picture_writer.h"

#include <QFont>

// Writes a graph's picture as a PNG image, an SVG drawing or a one-page PDF of the
// window's size, by the file name's suffix; SVG and PDF come out as vector drawings. The
// picture is drawn by QtPainterSurface with the window's font, at the resolution of the
// window's own image, so it is laid out as on the screen. The file is written to a
// temporary file beside it and takes its place only when all of it is written.
class QtPictureWriter : public PictureWriter {
public:
    explicit QtPictureWriter(const QFont &font);

    bool write(const QString &path, const QSize &size,
               const std::function<void(Surface &)> &draw) override;
    QString errorString() const override { return m_error; }

private:
    bool fail(const QString &reason);

    QFont m_font;
    QString m_error;
};
