// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_state.h"

#include <QtGlobal>

#include <array>

class Surface;

// The curves of one drawing pass of the file plot, point by point: each curve joins its
// points with segments of width 1 in its channel's colour. Where points outnumber pixel
// columns, a curve's points that fall into one column are drawn as that column's extent
// (one vertical line from their lowest to their highest point) and only the joins between
// columns as segments: the pixels of every segment, at a cost that follows the plot's
// width rather than the file's length.
class PlotPass {
public:
    enum class Drawing { ColumnExtents, EverySegment };

    PlotPass(Surface &surface, Drawing drawing);

    // The next point of a channel's curve; a curve's first point draws nothing yet.
    void addPoint(Channel channel, double x, double y);
    // The channel's curve takes no more points in this pass.
    void endCurve(Channel channel);
    // Draws the extents gathered so far, so that what is drawn next lies over them (a
    // progress mark) or a picture taken now shows every point added (a print).
    void flush();

private:
    struct Curve {
        bool started = false;
        double lastX = 0;
        double lastY = 0;
        qint64 column = 0; // the pixel column of the points gathered: floor of their x
        double columnX = 0;
        double low = 0;
        double high = 0;
        int points = 0;
    };

    void drawExtent(Channel channel, Curve &curve);
    void startColumn(Curve &curve, double x, double y);

    Surface &m_surface;
    Drawing m_drawing;
    std::array<Curve, 3> m_curves;
};
