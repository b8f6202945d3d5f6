// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/plot_geometry.h"
#include "platform/surface.h"

#include <QString>

#include <array>

// The three curves of both graph windows, in the order every point handles them.
enum class Channel { T1, T2, Diff };
inline constexpr Channel Channels[] = {Channel::T1, Channel::T2, Channel::Diff};
// The column of a record that holds a channel's readings.
constexpr int recordColumnOf(Channel channel) {
    return channel == Channel::T1 ? 2 : channel == Channel::T2 ? 3 : 4;
}

// The colours of the graphs, the same in every window.
namespace GraphColours {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Grid{192, 192, 192}; // colour 7 of the classic 16-colour palette
inline constexpr Rgb T1{0, 0, 255};
inline constexpr Rgb T2{0, 255, 0};
inline constexpr Rgb Diff{255, 0, 0};

constexpr Rgb of(Channel channel) {
    return channel == Channel::T1 ? T1 : channel == Channel::T2 ? T2 : Diff;
}
} // namespace GraphColours

// What a graph window keeps about its picture, under the same names in both windows: the
// plot geometry with the value range, the range's limits, the channel switches and where
// the sweep of points has got to. PrevX 0 means no previous point; a previous y that is not
// a number means that channel has no point to join since it was switched on.
struct GraphState : PlotGeometry {
    GraphState() { PlotLeft = RealTimeMargin; }

    int ShowT1 = 1;
    int ShowT2 = 1;
    int ShowDiff = 1;
    int MaxLimit = 0;
    int MinLimit = 0;
    float XStep = 1.0f;
    float XPos = 0;
    float PrevX = 0;
    float PrevY1 = 0;
    float PrevY2 = 0;
    float PrevYDiff = 0;
    QString TimeLabel;

    int &show(Channel channel) {
        return channel == Channel::T1 ? ShowT1 : channel == Channel::T2 ? ShowT2 : ShowDiff;
    }
    int show(Channel channel) const { return const_cast<GraphState *>(this)->show(channel); }
    std::array<int, 3> shows() const { return {ShowT1, ShowT2, ShowDiff}; }
    float &prevY(Channel channel) {
        return channel == Channel::T1 ? PrevY1 : channel == Channel::T2 ? PrevY2 : PrevYDiff;
    }
};
