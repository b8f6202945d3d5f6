#include "graphs/plot_geometry.h"

#include <cmath>

PlotGeometry PlotGeometry::of(const QSize &client, int leftMargin) {
    const int room = client.width() - leftMargin;
    PlotGeometry geometry;
    geometry.PlotLeft = leftMargin;
    // C++'s remainder keeps the sign of the room: a client narrower than the margin gives
    // a negative width, on which the sweep restarts at every point.
    geometry.PlotWidth = float(room - room % 30);
    geometry.PlotHeight = float(client.height() - TopMargin - BottomMargin);
    geometry.PlotBottom = float(client.height() - BottomMargin);
    return geometry;
}

int PlotGeometry::clientHeightFor(double plotHeight) {
    return int(std::ceil(plotHeight)) + TopMargin + BottomMargin;
}
