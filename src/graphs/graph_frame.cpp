// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/graph_frame.h"

#include "graphs/graph_state.h"
#include "platform/surface.h"

#include <cmath>

namespace GraphFrame {

namespace {

constexpr auto Solid = Surface::LineStyle::Solid;
constexpr auto Dotted = Surface::LineStyle::Dotted;

void drawGridLines(Surface &surface, const PlotGeometry &state) {
    const float left = state.PlotLeft;
    const float right = left + state.PlotWidth;
    const auto yOf = [&](int j) { return state.PlotBottom - j * state.PlotHeight / 8; };
    for (int j = 0; j <= 8; ++j) {
        if (j != 4)
            surface.drawLine({left, yOf(j)}, {right, yOf(j)}, GraphColours::Grid, 1, Dotted);
    }
    // The middle line is solid and lies over the others.
    surface.drawLine({left, yOf(4)}, {right, yOf(4)}, GraphColours::Grid, 1, Solid);
}

} // namespace

void draw(Surface &surface, const PlotGeometry &state, const QString &unitLegend, PlotArea area) {
    const float L = state.PlotLeft;
    const float B = state.PlotBottom;
    const float W = state.PlotWidth;
    const float H = state.PlotHeight;
    const float T = B - H;
    surface.clear();

    surface.drawLine({L - 2, B + 5}, {L - 2, T - 5}, GraphColours::Black, 2, Solid);
    surface.drawLine({L - 2, B + 6}, {L + W + 2, B + 6}, GraphColours::Black, 2, Solid);
    for (int i = 0; i <= 16; ++i) {
        const float y = B - i * H / 16;
        surface.drawLine({L - 2, y}, {L - 7, y}, GraphColours::Black, 1, Solid);
        if (i % 2 == 0)
            surface.drawLine({L - 2, y}, {L - 10, y}, GraphColours::Black, 1, Solid);
    }
    for (int j = 0; j <= 8; ++j) {
        const float value = float((double(state.YMax) - state.YMin) * j / 8 + state.YMin);
        const QString label = FormatAxisLabel(value);
        const double height = surface.textSize(label).height();
        surface.drawText({L - 62, B - j * H / 8 - height / 2}, label, GraphColours::Black);
    }
    if (area == PlotArea::White)
        surface.fillRect({L, B}, {L + W, T}, GraphColours::White);
    else
        drawGridLines(surface, state);

    const float legendTop = T - 40;
    surface.drawText({L, legendTop}, QStringLiteral("T1"), GraphColours::T1);
    surface.drawText({L + 40, legendTop}, QStringLiteral("T2"), GraphColours::T2);
    surface.drawText({L + 80, legendTop}, QStringLiteral("T1-T2"), GraphColours::Diff);
    surface.drawText({L - 40, legendTop}, unitLegend, GraphColours::Black);
}

QString FormatAxisLabel(float value) {
    // Tenths counted in whole numbers: the text is built from digits, never by the
    // locale's number formatting, so a comma locale still gets a point.
    const float tenths = std::trunc(value * 10.0f);
    if (!std::isfinite(tenths))
        return QStringLiteral("0.0");
    const long long whole = static_cast<long long>(tenths);
    const long long magnitude = whole < 0 ? -whole : whole;
    return QStringLiteral("%1%2.%3")
        .arg(whole < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

} // namespace GraphFrame
