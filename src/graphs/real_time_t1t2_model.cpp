// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/real_time_t1t2_model.h"

#include "graphs/graph_frame.h"
#include "graphs/plot_geometry.h"
#include "link/live_values.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "platform/surface.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace {

constexpr auto Solid = Surface::LineStyle::Solid;
constexpr auto Dotted = Surface::LineStyle::Dotted;

} // namespace

namespace {

GraphWindowModel::Design design() {
    GraphWindowModel::Design design;
    design.name = RealTimeT1T2Model::Name;
    design.caption = QStringLiteral("Real Time Graph");
    design.panelsTitle = QStringLiteral("Graphic");
    design.leftMargin = PlotGeometry::RealTimeMargin;
    design.plotArea = GraphFrame::PlotArea::White;
    design.rangeBoxes = {{GraphControls::TxtMax, RangeEntry::Kind::Decimal},
                         {GraphControls::TxtMin, RangeEntry::Kind::Decimal},
                         {GraphControls::TxtCounts, RangeEntry::Kind::Whole}};
    return design;
}

} // namespace

RealTimeT1T2Model::RealTimeT1T2Model(Platform &platform, TimerGate &panelTimers,
                                     const LiveValues &live, const QString &graphUnit,
                                     QObject *parent)
    : GraphWindowModel(design(), platform, panelTimers, graphUnit, live.TypeText, parent)
    , m_live(live)
    , m_clock(platform.clock()) {
    // A tick never lets events run, so it cannot start while the previous one runs.
    connect(&Timer1(), &QTimer::timeout, this, &RealTimeT1T2Model::PlotTick);
}

QSize RealTimeT1T2Model::openingSize() const {
    const GraphState &s = state();
    double labelHeight = 0;
    for (int j = 0; j <= 8; ++j) {
        const float value = float((double(s.YMax) - s.YMin) * j / 8 + s.YMin);
        labelHeight =
            std::max(labelHeight, surface().textSize(GraphFrame::FormatAxisLabel(value)).height());
    }
    const int height = PlotGeometry::clientHeightFor(9 * labelHeight);
    return {DesignSize.width(), std::max(DesignSize.height(), height)};
}

void RealTimeT1T2Model::frameDrawn() {
    const GraphState &s = state();
    // The sweep's points go; their room stays unless a sweep of many more points left it.
    const double counts = s.XStep > 0 ? double(s.PlotWidth) / s.XStep : 0;
    if (double(m_sweep.capacity()) > 2 * std::max(counts, 1024.0))
        std::vector<SweepPoint>().swap(m_sweep);
    m_sweep.clear();
}

void RealTimeT1T2Model::PlotTick() {
    if (!isOpen())
        return;
    GraphState &s = writableState();
    s.XPos += s.XStep;
    if (s.XPos >= s.PlotWidth) {
        DrawFrame();
        return;
    }
    const QTime now = m_clock.now().time();
    SweepPoint &point = m_sweep.emplace_back();
    point.xPos = s.XPos;
    point.msecs = now.msecsSinceStartOfDay();
    if (s.XPos == 0)
        drawSweepGrid(surface());
    const QString label = drawTimeMark(surface(), s.XPos, now);
    if (!label.isEmpty())
        s.TimeLabel = label;
    drawPoint(Channel::T1, m_live.T1Text, point);
    drawPoint(Channel::T2, m_live.T2Text, point);
    drawPoint(Channel::Diff, m_live.DiffText, point);
    s.PrevX = s.PlotLeft + s.XPos;
}

void RealTimeT1T2Model::drawSweepGrid(Surface &out) const {
    const GraphState &s = state();
    const float L = s.PlotLeft;
    const float B = s.PlotBottom;
    const float W = s.PlotWidth;
    const float H = s.PlotHeight;
    // The sweep before this one, its time labels included, is erased.
    out.fillRect({L, B + 50}, {L + W, s.plotTop() - 8}, GraphColours::White);
    out.drawLine({L - 2, B - H / 2}, {L + W + 2, B - H / 2}, GraphColours::Grid, 1, Solid);
    out.drawLine({L - 2, B + 6}, {L + W + 2, B + 6}, GraphColours::Black, 2, Solid);
    for (int k : {0, 1, 7, 6, 5, 8, 3, 2}) {
        const float y = B - k * H / 8;
        out.drawLine({L, y}, {L + W, y}, GraphColours::Grid, 1, Dotted);
    }
}

QString RealTimeT1T2Model::drawTimeMark(Surface &out, float xPos, const QTime &time) const {
    const GraphState &s = state();
    const float B = s.PlotBottom;
    const float H = s.PlotHeight;
    const float x = s.PlotLeft + xPos;
    const qint64 n = qint64(RangeEntry::roundHalfEven(xPos));
    if (n % 60 == 0) {
        out.drawLine({x, B}, {x, s.plotTop() - 10}, GraphColours::Grid, 1, Dotted);
        const QString label = time.toString(QStringLiteral("hh:mm:ss"));
        const double w = out.textSize(label).width() / 2;
        out.fillRect({x - w, B + 10}, {x + w, B + 20}, GraphColours::White);
        out.drawText({s.PlotLeft - 5 + xPos - w, B + 10}, label, GraphColours::Black);
        return label;
    }
    if (n % 30 == 0)
        out.drawLine({x, B - 3.8f * H / 8}, {x, B - 4.2f * H / 8}, GraphColours::Grid, 1, Solid);
    return {};
}

void RealTimeT1T2Model::drawPoint(Channel channel, const QString &reading, SweepPoint &point) {
    GraphState &s = writableState();
    const size_t c = size_t(channel);
    point.y[c] = std::nanf("");
    if (!s.show(channel))
        return;
    const Reading level = Reading::of(reading);
    if (level.kind == Reading::Kind::NoValue) {
        s.show(channel) = 0;
        return;
    }
    const float x = s.PlotLeft + s.XPos;
    const float y = float(s.yOf(level));
    float &previous = s.prevY(channel);
    if (s.PrevX != 0 && s.XPos != 0 && !std::isnan(previous)) {
        surface().drawLine({s.PrevX, previous}, {x, y}, GraphColours::of(channel), 1, Solid);
        point.joined |= quint8(1u << c);
    }
    previous = y;
    point.y[c] = y;
    point.reading[c] = reading;
}

void RealTimeT1T2Model::drawPicture(Surface &out) {
    const GraphState &s = state();
    drawFrame(out);
    for (size_t i = 0; i < m_sweep.size(); ++i) {
        const SweepPoint &point = m_sweep[i];
        if (point.xPos == 0)
            drawSweepGrid(out);
        drawTimeMark(out, point.xPos, QTime::fromMSecsSinceStartOfDay(point.msecs));
        const float x = s.PlotLeft + point.xPos;
        for (Channel channel : Channels) {
            const size_t c = size_t(channel);
            // A segment always joins the point of the tick before: a channel that was
            // off in between starts afresh.
            if (!(point.joined & (1u << c)) || i == 0)
                continue;
            const SweepPoint &before = m_sweep[i - 1];
            const float previousX = s.PlotLeft + before.xPos;
            out.drawLine({previousX, before.y[c]}, {x, point.y[c]}, GraphColours::of(channel), 1,
                         Solid);
        }
    }
}

std::optional<Readout> RealTimeT1T2Model::readoutAt(const QPointF &pointer) const {
    const GraphState &s = state();
    if (m_sweep.empty() || !s.readoutArea().contains(pointer))
        return std::nullopt;
    const float xPos = float(pointer.x() - s.PlotLeft);
    auto next = std::lower_bound(m_sweep.begin(), m_sweep.end(), xPos,
                                 [](const SweepPoint &p, float x) { return p.xPos < x; });
    if (next == m_sweep.end() ||
        (next != m_sweep.begin() && xPos - std::prev(next)->xPos < next->xPos - xPos))
        next = std::prev(next);
    // Only near a point: past the sweep's latest point there is nothing to read.
    if (std::abs(next->xPos - xPos) > std::max(s.XStep, 1.0f) / 2 + 0.5f)
        return std::nullopt;
    Readout readout;
    readout.x = s.PlotLeft + next->xPos;
    readout.place =
        QTime::fromMSecsSinceStartOfDay(next->msecs).toString(QStringLiteral("hh:mm:ss"));
    for (Channel channel : Channels)
        readout.values[size_t(channel)] = next->reading[size_t(channel)];
    readout.unit = unit();
    return readout;
}

void RealTimeT1T2Model::functionOk() {
    GraphState &s = writableState();
    for (Channel channel : Channels) {
        const int on = checkedSwitch(channel);
        if (on && !s.show(channel))
            s.prevY(channel) = std::nanf("");
        s.show(channel) = on;
    }
    hideFunctionPanel();
}

void RealTimeT1T2Model::rangeOk() {
    if (!acceptValueRange())
        return;
    GraphState &s = writableState();
    const std::optional<double> counts =
        RangeEntry::value(rangeText(GraphControls::TxtCounts), RangeEntry::Kind::Whole);
    if (!counts || *counts < MinCounts || *counts > MaxCounts) {
        showRangeMessage(
            QStringLiteral("%1 <= Counts <= %2, try again!").arg(MinCounts).arg(MaxCounts));
        return;
    }
    s.XStep = s.PlotWidth / float(*counts);
    DrawFrame();
}

void RealTimeT1T2Model::fillRangeTexts() {
    const GraphState &s = state();
    const double counts = RangeEntry::roundHalfEven(double(s.PlotWidth / s.XStep));
    setRangeText(GraphControls::TxtCounts,
                 QString::number(std::isfinite(counts) ? qint64(counts) : 0));
    setRangeText(GraphControls::TxtMax, RangeEntry::decimalText(s.YMax));
    setRangeText(GraphControls::TxtMin, RangeEntry::decimalText(s.YMin));
}
