// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/reading.h"

#include <QRectF>
#include <QSize>

// Where a graph's plot area lies in its client area, and where a value stands in it: the
// area after the left margin, as wide as whole 30-pixel steps allow, 110 pixels below the
// top (toolbar and legends) and 50 above the bottom (time labels), negative sizes standing
// as computed; YMin on its bottom edge, YMax on its top. Both graphs, their frames, their
// points, the readout and the pointer place things through it.
struct PlotGeometry {
    static constexpr int RealTimeMargin = 80;
    static constexpr int FilePlotMargin = 75;
    // Above the plot (toolbar and legends) and below it (time labels).
    static constexpr int TopMargin = 110;
    static constexpr int BottomMargin = 50;

    int PlotLeft = 0;
    float PlotWidth = 0;
    float PlotHeight = 0;
    float PlotBottom = 0;
    float YMax = 0;
    float YMin = 0;

    // The plot area of a client area; the value range stays.
    void layOut(const QSize &client, int leftMargin);
    static PlotGeometry of(const QSize &client, int leftMargin);
    // The least client height whose plot area is at least this high.
    static int clientHeightFor(double plotHeight);

    // Top of the plot area: always 110 pixels below the client area's top.
    float plotTop() const { return PlotBottom - PlotHeight; }
    // The plot area, where the pointer drags a span.
    QRectF plotArea() const { return QRectF(PlotLeft, plotTop(), PlotWidth, PlotHeight); }
    // The plot area with the rows 5 pixels above and 3 below it where readings over and
    // under the range stand: where the pointer reads values.
    QRectF readoutArea() const { return plotArea().adjusted(0, -5, 0, 3); }

    // Where a reading stands above the plot's bottom: over range and values above YMax 5
    // pixels above the plot area, under range and values below YMin 3 pixels below it,
    // others at their place between YMin and YMax. Not for no value.
    double heightOf(const Reading &reading) const;
    double yOf(const Reading &reading) const { return PlotBottom - heightOf(reading); }

    bool operator==(const PlotGeometry &) const = default;
};
