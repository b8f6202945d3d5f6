// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>
#include <QString>

#include <functional>

class Surface;

// Writes a graph window's picture to a file, drawn afresh onto a surface of the file's
// kind by the window's own drawing code: a PNG image, or an SVG or PDF vector drawing,
// chosen by the file name's suffix.
class PictureWriter {
public:
    virtual ~PictureWriter() = default;

    // Draws the picture at the size in pixels through draw and writes it to the path; the
    // file appears whole or not at all. False when it cannot be written: errorString()
    // says why ("Permission denied", an unknown suffix).
    virtual bool write(const QString &path, const QSize &size,
                       const std::function<void(Surface &)> &draw) = 0;
    virtual QString errorString() const = 0;
};
