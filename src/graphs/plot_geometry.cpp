// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/plot_geometry.h"

#include <cmath>

void PlotGeometry::layOut(const QSize &client, int leftMargin) {
    const int room = client.width() - leftMargin;
    PlotLeft = leftMargin;
    // C++'s remainder keeps the sign of the room: a client narrower than the margin gives
    // a negative width, on which the sweep restarts at every point.
    PlotWidth = float(room - room % 30);
    PlotHeight = float(client.height() - TopMargin - BottomMargin);
    PlotBottom = float(client.height() - BottomMargin);
}

PlotGeometry PlotGeometry::of(const QSize &client, int leftMargin) {
    PlotGeometry geometry;
    geometry.layOut(client, leftMargin);
    return geometry;
}

int PlotGeometry::clientHeightFor(double plotHeight) {
    return int(std::ceil(plotHeight)) + TopMargin + BottomMargin;
}

double PlotGeometry::heightOf(const Reading &reading) const {
    const double over = double(PlotHeight) + 5;
    switch (reading.kind) {
    case Reading::Kind::Over:
        return over;
    case Reading::Kind::Under:
    case Reading::Kind::NoValue:
        return -3;
    case Reading::Kind::Number:
        break;
    }
    if (reading.value > YMax)
        return over;
    if (reading.value < YMin)
        return -3;
    return (reading.value - YMin) / (double(YMax) - YMin) * PlotHeight;
}
