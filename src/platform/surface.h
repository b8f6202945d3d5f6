// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <functional>

// A colour as its red, green and blue parts (0 to 255).
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Rgb &) const = default;
};

// The retained drawing surface of a graph window: its client area, white where nothing
// was drawn. It keeps what was drawn until it is cleared or resized, so a graph drawn
// point by point survives being covered and uncovered.
class Surface {
public:
    enum class LineStyle { Solid, Dotted };

    virtual ~Surface() = default;

    // The client area's size in pixels.
    virtual QSize size() const = 0;
    // The window got a new size: everything drawn is gone, the surface is white.
    virtual void resize(const QSize &size) = 0;
    // Everything white again.
    virtual void clear() = 0;
    // A line of width 1 or 2 between two points, both ends included.
    virtual void drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                          LineStyle style) = 0;
    // The rectangle between two opposite corners, filled.
    virtual void fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) = 0;
    // Text without background, its top-left corner at the point, in the window's font.
    virtual void drawText(const QPointF &topLeft, const QString &text, Rgb colour) = 0;
    // Width and height of a text in the window's font, in pixels.
    virtual QSizeF textSize(const QString &text) const = 0;

    // What the surface keeps drawn, for the window's view and the printer to show: rows of
    // 32-bit pixels (0xffRRGGBB), valid until the surface draws again or is resized.
    struct Pixels {
        const uchar *bits = nullptr; // none: the surface keeps no pixels (a file's drawing)
        QSize size;                  // in device pixels
        qsizetype bytesPerLine = 0;
        qreal devicePixelRatio = 1; // device pixels per pixel of the window
    };
    virtual Pixels pixels() const { return {}; }
    // Device pixels per pixel of the window the surface keeps, taken at the next resize,
    // so the picture is sharp on the window's screen; 1 for a surface that keeps no pixels.
    virtual qreal devicePixelRatio() const { return 1; }
    virtual void setDevicePixelRatio(qreal ratio) { Q_UNUSED(ratio); }
    // Called on the first drawing after the picture was last shown (shown()), so a view
    // repaints once however many lines were drawn meanwhile.
    virtual void setChangedCallback(std::function<void()> changed) { Q_UNUSED(changed); }
    // The view has shown the picture.
    virtual void shown() {}
};
