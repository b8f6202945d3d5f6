#pragma once

#include <QSize>

// Where the plot area of a graph window lies in its client area: after the left margin,
// as wide as whole 30-pixel steps allow, 110 pixels below the top (toolbar and legends)
// and 50 above the bottom (time labels). Negative sizes stand as computed.
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

    static PlotGeometry of(const QSize &client, int leftMargin);
    // The least client height whose plot area is at least this high.
    static int clientHeightFor(double plotHeight);

    bool operator==(const PlotGeometry &) const = default;
};
