// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/plot_pass.h"

#include "platform/surface.h"

#include <algorithm>
#include <cmath>

PlotPass::PlotPass(Surface &surface, Drawing drawing)
    : m_surface(surface)
    , m_drawing(drawing) {}

void PlotPass::addPoint(Channel channel, double x, double y) {
    Curve &curve = m_curves[size_t(channel)];
    if (!curve.started) {
        curve.started = true;
        startColumn(curve, x, y);
        return;
    }
    if (m_drawing == Drawing::ColumnExtents && qint64(std::floor(x)) == curve.column) {
        curve.low = std::min(curve.low, y);
        curve.high = std::max(curve.high, y);
        curve.lastX = x;
        curve.lastY = y;
        ++curve.points;
        return;
    }
    drawExtent(channel, curve);
    m_surface.drawLine({curve.lastX, curve.lastY}, {x, y}, GraphColours::of(channel), 1,
                       Surface::LineStyle::Solid);
    startColumn(curve, x, y);
}

void PlotPass::endCurve(Channel channel) {
    Curve &curve = m_curves[size_t(channel)];
    drawExtent(channel, curve);
    curve = Curve();
}

void PlotPass::flush() {
    for (Channel channel : Channels) {
        Curve &curve = m_curves[size_t(channel)];
        drawExtent(channel, curve);
        if (curve.started)
            startColumn(curve, curve.lastX, curve.lastY);
    }
}

void PlotPass::drawExtent(Channel channel, Curve &curve) {
    // Non-antialiased lines light the pixel under the floor of each coordinate, both ends
    // included: the segments between points of one column light exactly the pixels of this
    // column from the lowest point's row to the highest's.
    if (curve.points > 1)
        m_surface.drawLine({curve.columnX, curve.low}, {curve.columnX, curve.high},
                           GraphColours::of(channel), 1, Surface::LineStyle::Solid);
    curve.points = std::min(curve.points, 1);
}

void PlotPass::startColumn(Curve &curve, double x, double y) {
    curve.lastX = x;
    curve.lastY = y;
    curve.column = qint64(std::floor(x));
    curve.columnX = x;
    curve.low = y;
    curve.high = y;
    curve.points = 1;
}
