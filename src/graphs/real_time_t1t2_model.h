// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_window_model.h"

#include <array>
#include <vector>

struct LiveValues;
class Clock;

// The real-time graph "Real Time Graph": once a second its Timer1 extends the curves of
// T1, T2 and T1-T2 by one point each from the live values, sweeping left to right; at the
// right edge the picture is erased and the sweep starts again. Grid lines with the time of
// day every 60 pixels, marks every 30. The unit was captured by "Graph" when it opened.
// The points of the current sweep are kept (one per tick, so as many as the sweep's
// Counts) for the cursor readout and for drawing the picture again into a file.
class RealTimeT1T2Model : public GraphWindowModel {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"RealTimeT1T2"};
    static constexpr QSize DesignSize{287, 211};
    static constexpr int MinCounts = 10;
    static constexpr int MaxCounts = 864000;

    RealTimeT1T2Model(Platform &platform, TimerGate &panelTimers, const LiveValues &live,
                      const QString &graphUnit, QObject *parent = nullptr);

    QString GraphUnit() const { return unit(); }

    // The client size the window opens at: the design size, made as much taller as the
    // nine value labels of the surface's font need to stand apart (the plot area nine label
    // heights high). A font small enough opens it at the design size.
    QSize openingSize() const;

    // One tick of Timer1: one point per switched-on channel.
    void PlotTick();

    // Switches as ticked; the picture stays. A channel switched on starts afresh at its
    // next point instead of joining a point from before it was off.
    void functionOk() override;
    // Max, Min and Counts checked against their limits, then a new frame.
    void rangeOk() override;

    // The time of day and the readings of the sweep's point nearest the pointer.
    std::optional<Readout> readoutAt(const QPointF &point) const override;
    // The frame, then the current sweep tick by tick as it was drawn.
    void drawPicture(Surface &target) override;
    // Points kept of the current sweep.
    qsizetype sweepPoints() const { return qsizetype(m_sweep.size()); }

protected:
    void frameDrawn() override;
    void fillRangeTexts() override;

private:
    // One tick of the current sweep as it was drawn: its offset and time of day, and per
    // channel the point's y (NaN where none was drawn), its reading text (empty where none
    // was drawn; shared with the live value it was copied from) and whether a segment
    // joined it to the point of the tick before.
    struct SweepPoint {
        float xPos = 0;
        qint32 msecs = 0;
        std::array<float, 3> y{};
        std::array<QString, 3> reading;
        quint8 joined = 0; // one bit per channel
    };

    void drawSweepGrid(Surface &out) const;
    // The grid line and time label, or the mark, at the offset; gives the label drawn.
    QString drawTimeMark(Surface &out, float xPos, const QTime &time) const;
    void drawPoint(Channel channel, const QString &reading, SweepPoint &point);

    const LiveValues &m_live;
    const Clock &m_clock;
    std::vector<SweepPoint> m_sweep;
};
