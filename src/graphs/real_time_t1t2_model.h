#pragma once

#include "graphs/graph_window_model.h"

struct LiveValues;
class Clock;

// The real-time graph "Real Time Graph": once a second its Timer1 extends the curves of
// T1, T2 and T1-T2 by one point each from the live values, sweeping left to right; at the
// right edge the picture is erased and the sweep starts again. Grid lines with the time of
// day every 60 pixels, marks every 30. The unit was captured by "Graph" when it opened.
class RealTimeT1T2Model : public GraphWindowModel {
    Q_OBJECT

public:
    static const QString Name;
    static constexpr QSize DesignSize{287, 211};
    static constexpr int MinCounts = 10;
    static constexpr int MaxCounts = 864000;

    RealTimeT1T2Model(Platform &platform, TimerGate &panelTimers, const LiveValues &live,
                      const QString &graphUnit, QObject *parent = nullptr);

    QString GraphUnit() const { return m_graphUnit; }

    void DrawFrame() override;
    // One tick of Timer1: one point per switched-on channel.
    void PlotTick();

    // Switches as ticked; the picture stays. A channel switched on starts afresh at its
    // next point instead of joining a point from before it was off.
    void functionOk() override;
    // Max, Min and Counts checked against their limits, then a new frame.
    void rangeOk() override;

protected:
    void fillRangeTexts() override;

private:
    void drawSweepGrid();
    void drawTimeMark(qint64 n);
    void drawPoint(Channel channel, const QString &reading);

    const LiveValues &m_live;
    const Clock &m_clock;
    QString m_graphUnit;
};
