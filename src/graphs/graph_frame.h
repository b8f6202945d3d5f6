// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class Surface;
struct PlotGeometry;

// The plot frame both graph windows draw on every new size, every confirmed range and
// every restart of the sweep: axes, ticks, value labels, plot area and legends.
namespace GraphFrame {

// What fills the plot area: plain white (the real-time graph, whose sweep draws its own
// grid) or the nine horizontal grid lines of the file plot.
enum class PlotArea { White, GridLines };

// Clears the surface and draws the frame of the geometry and its value range.
void draw(Surface &surface, const PlotGeometry &geometry, const QString &unitLegend, PlotArea area);

// A value label of the vertical axis: truncated (not rounded) to one decimal, always with
// a point and one decimal digit, whatever the locale: -310.0, -96.2, 0.3, -0.5.
QString FormatAxisLabel(float value);

} // namespace GraphFrame
