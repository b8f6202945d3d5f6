// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <memory>

class QPaintDevice;

// The one routine that draws a graph's picture: the Surface's lines, fills and texts
// through a QPainter onto any paint device, the window's retained image as well as a PNG
// image, an SVG drawing (QSvgGenerator) or a PDF page (QPdfWriter). Texts are measured in
// the window's font alone, so the picture is laid out alike on every device.
class QtPainterSurface : public Surface {
public:
    explicit QtPainterSurface(const QFont &font);
    // Draws on the device, of this size in pixels, from the first drawing on.
    QtPainterSurface(QPaintDevice &device, const QSize &size, const QFont &font);
    ~QtPainterSurface() override;

    QSize size() const override { return m_size; }
    // The device keeps its size: the picture is only erased.
    void resize(const QSize &size) override;
    void clear() override;
    void drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                  LineStyle style) override;
    void fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) override;
    void drawText(const QPointF &topLeft, const QString &text, Rgb colour) override;
    QSizeF textSize(const QString &text) const override;

    // Ends the painting: what was drawn is on the device. False when the device could not
    // be painted on (a PDF writer that cannot write).
    bool finish();

protected:
    // Draws on another device from now on (none: nothing is drawn); the painting on the
    // device before ends.
    void setDevice(QPaintDevice *device, const QSize &size);
    // Called before each drawing.
    virtual void drawing() {}

private:
    QPainter *painter();
    void setPen(Rgb colour, int width, LineStyle style);

    QPaintDevice *m_device = nullptr;
    QSize m_size{0, 0};
    QFont m_font;
    QFontMetricsF m_metrics;
    std::unique_ptr<QPainter> m_painter;
    bool m_failed = false;
    // The pen last set, so that points of one curve do not set it again.
    Rgb m_penColour;
    int m_penWidth = -1;
    LineStyle m_penStyle = LineStyle::Solid;
};
