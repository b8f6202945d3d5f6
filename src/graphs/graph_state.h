#pragma once

#include "link/reading.h"
#include "platform/surface.h"

#include <QRectF>
#include <QString>

// The three curves of both graph windows, in the order every point handles them.
enum class Channel { T1, T2, Diff };
inline constexpr Channel Channels[] = {Channel::T1, Channel::T2, Channel::Diff};

// The colours of the graphs, the same in every window.
namespace GraphColours {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Grid{192, 192, 192}; // GridColor 7 of the classic 16-colour palette
inline constexpr Rgb T1{0, 0, 255};
inline constexpr Rgb T2{0, 255, 0};
inline constexpr Rgb Diff{255, 0, 0};

constexpr Rgb of(Channel channel) {
    return channel == Channel::T1 ? T1 : channel == Channel::T2 ? T2 : Diff;
}
} // namespace GraphColours

// What a graph window keeps about its picture, under the same names in both windows: the
// channel switches, the value range and its limits, the plot geometry and where the sweep
// of points has got to. PrevX 0 means no previous point; a previous y that is not a
// number means that channel has no point to join since it was switched on.
struct GraphState {
    int ShowT1 = 1;
    int ShowT2 = 1;
    int ShowDiff = 1;
    float YMax = 0;
    float YMin = 0;
    int MaxLimit = 0;
    int MinLimit = 0;
    float XStep = 1.0f;
    int PlotLeft = 80;
    float PlotWidth = 0;
    float PlotHeight = 0;
    float PlotBottom = 0;
    float XPos = 0;
    float PrevX = 0;
    float PrevY1 = 0;
    float PrevY2 = 0;
    float PrevYDiff = 0;
    int GridColor = 7;
    QString TimeLabel;

    int &show(Channel channel) {
        return channel == Channel::T1 ? ShowT1 : channel == Channel::T2 ? ShowT2 : ShowDiff;
    }
    int show(Channel channel) const { return const_cast<GraphState *>(this)->show(channel); }
    float &prevY(Channel channel) {
        return channel == Channel::T1 ? PrevY1 : channel == Channel::T2 ? PrevY2 : PrevYDiff;
    }
    // Top of the plot area: always 110 pixels below the client area's top.
    float plotTop() const { return PlotBottom - PlotHeight; }
    // The plot area, where the pointer reads values and drags a span.
    QRectF plotArea() const { return QRectF(PlotLeft, plotTop(), PlotWidth, PlotHeight); }

    // Where a reading stands above the plot's bottom: over range and values above YMax 5
    // pixels above the plot area, under range and values below YMin 3 pixels below it,
    // others at their place between YMin and YMax. Not for no value.
    double heightOf(const Reading &reading) const {
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
};
