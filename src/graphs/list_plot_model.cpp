// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/list_plot_model.h"

#include "graphs/span_statistics.h"
#include "graphs/span_walk.h"
#include "lists/list_window_model.h"
#include "lists/record_follower.h"
#include "platform/platform.h"
#include "platform/surface.h"
#include "records/record_table.h"
#include "windowing/long_work.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

GraphWindowModel::Design design() {
    GraphWindowModel::Design design;
    design.name = ListPlotModel::Name;
    design.caption = QStringLiteral("Plot");
    design.panelsTitle = QStringLiteral("Plot");
    design.leftMargin = PlotGeometry::FilePlotMargin;
    design.plotArea = GraphFrame::PlotArea::GridLines;
    design.statistics = true;
    design.rangeBoxes = {{GraphControls::TxtMax, RangeEntry::Kind::Decimal},
                         {GraphControls::TxtMin, RangeEntry::Kind::Decimal},
                         {GraphControls::TxtFrom, RangeEntry::Kind::Whole},
                         {GraphControls::TxtTo, RangeEntry::Kind::Whole}};
    return design;
}

} // namespace

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                             const QString &plotUnit, const QString &plotType,
                             PlotPass::Drawing drawing, QObject *parent)
    : ListPlotModel(platform, panelTimers, fileList, nullptr, plotUnit, plotType, drawing, parent) {
}

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                             std::unique_ptr<RecordTable> run, const QString &plotUnit,
                             const QString &plotType, PlotPass::Drawing drawing, QObject *parent)
    : GraphWindowModel(design(), platform, panelTimers, plotUnit, plotType, parent)
    , m_fileList(&fileList)
    , m_listed(true)
    , m_run(std::move(run))
    , m_plotType(plotType)
    , m_drawing(drawing)
    , m_span(m_run ? m_run->rowCount() : fileList.records().rowCount()) {
    Timer1().setSingleShot(true);
    connect(&Timer1(), &QTimer::timeout, this, &ListPlotModel::DrawPass);
    // The list's own records grow when it follows its file.
    if (!m_run)
        connect(&fileList, &ListWindowModel::recordsAppended, this,
                &ListPlotModel::recordsAppended);
}

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers,
                             std::unique_ptr<RecordTable> run,
                             std::unique_ptr<RecordFollower> follower, const QString &plotUnit,
                             const QString &plotType, PlotPass::Drawing drawing, QObject *parent)
    : GraphWindowModel(design(), platform, panelTimers, plotUnit, plotType, parent)
    , m_listed(false)
    , m_run(std::move(run))
    , m_plotType(plotType)
    , m_drawing(drawing)
    , m_span(m_run->rowCount()) {
    Timer1().setSingleShot(true);
    connect(&Timer1(), &QTimer::timeout, this, &ListPlotModel::DrawPass);
    if (follower)
        follow(std::move(follower));
}

void ListPlotModel::follow(std::unique_ptr<RecordFollower> follower) {
    m_follower = follower.release();
    m_follower->setParent(this);
    connect(m_follower, &RecordFollower::grew, this, &ListPlotModel::recordsAppended);
    m_follower->start();
}

void ListPlotModel::recordsAppended(int firstNewRow) {
    const RecordTable *table = records();
    if (!table)
        return;
    // New records go into a complete pyramid as they come; one still being built by a pass
    // is completed by the next zoom or statistics.
    if (m_pyramid.records() == firstNewRow) {
        for (int row = firstNewRow; row < table->rowCount(); ++row) {
            RecordPyramid::Levels levels{};
            for (Channel channel : Channels)
                levels[size_t(channel)] = levelOf(channel, row);
            m_pyramid.append(levels);
        }
    }
    m_span.setRecords(table->rowCount(), m_followsEnd);
    if (!m_followsEnd || !isOpen() || !(state().PlotWidth > 0))
        return;
    // Drawing again would close a panel the user is filling in: the picture catches up
    // with the first records that come after it is closed.
    if (functionPanelVisible() || rangePanelVisible())
        return;
    drawNow();
}

ListPlotModel::~ListPlotModel() = default;

const RecordTable *ListPlotModel::records() const {
    if (m_run)
        return m_run.get();
    return m_fileList ? &m_fileList->records() : nullptr;
}

void ListPlotModel::frameLaidOut() {
    GraphState &s = writableState();
    // The statistics take their lines off the bottom of the picture, under the time labels.
    if (statisticsShown()) {
        const float height = float(statisticsHeight(surface()));
        s.PlotBottom -= height;
        s.PlotHeight -= height;
    }
    // A single record has no span to spread over the width: it stands on the axis.
    s.XStep = axis().step();
}

void ListPlotModel::frameDrawn() {
    const GraphState &s = state();
    m_frameShow = s.shows();
    // A pass of the frame before stops at its next record; this one draws a second later.
    ++m_frame;
}

bool ListPlotModel::hasRecords() const {
    return !m_listed || (m_fileList && m_fileList->isOpen());
}

bool ListPlotModel::stillDrawing(quint64 frame) const {
    return frame == m_frame && isOpen() && hasRecords();
}

void ListPlotModel::DrawPass() {
    if (m_pass || !stillDrawing(m_frame))
        return;
    GraphState &s = writableState();
    const quint64 frame = m_frame;
    const QString caption = WindowModel::caption();
    const RecordTable &table = *records();
    const RecordAxis axis = this->axis();
    SpanWalk walk(surface(), m_drawing, table, s, axis, s.shows());
    m_pass = &walk;
    const QPointer<ListPlotModel> self(this);
    const auto restore = qScopeGuard([&] {
        if (!self)
            return;
        m_pass = nullptr;
        if (isOpen())
            setCaption(caption);
    });

    LongWork work(platform().pump(), this);
    // The first pass over all records builds the pyramid on the way, from the cells it
    // reads anyway.
    const bool building = !pyramidBuilt() && m_span.isWhole() && ToNo() == table.rowCount();
    if (building)
        m_pyramid.clear();
    for (qint64 k = 0; k <= axis.n(); ++k) {
        const int row = FromNo() - 1 + int(k);
        walk.record(k);
        s.XPos = float(walk.offset());
        RecordPyramid::Levels levels{};
        for (Channel channel : Channels) {
            const size_t c = size_t(channel);
            const bool read = s.show(channel) != 0;
            s.show(channel) = walk.switches()[c];
            if (walk.drew(channel))
                s.prevY(channel) = float(walk.pointY(channel));
            if (building) {
                levels[c] = RecordPyramid::levelOf(
                    read ? walk.reading(channel)
                         : Reading::of(table.rawCell(recordColumnOf(channel), row)));
            }
        }
        // A zoom while events ran may have built the whole pyramid meanwhile.
        if (building && m_pyramid.records() == row)
            m_pyramid.append(levels);
        s.PrevX = float(walk.pointX());
        setProgress(int(k + 1), Progress::RecordsCompleted);
        // A new frame, the plot's closing or the list's ends the pass; the new frame's
        // picture gets its own pass.
        if (!work.step() || !stillDrawing(frame))
            return;
    }
    walk.flush();
    Timer1().stop();
    if (statisticsShown())
        drawStatistics(surface());
}

void ListPlotModel::functionOk() {
    GraphState &s = writableState();
    for (Channel channel : Channels)
        s.show(channel) = checkedSwitch(channel);
    hideFunctionPanel();
    DrawFrame();
}

void ListPlotModel::rangeOk() {
    // The value range stays even when the record numbers are refused.
    if (!acceptValueRange())
        return;
    if (!m_span.set(RangeEntry::value(rangeText(GraphControls::TxtFrom), RangeEntry::Kind::Whole),
                    RangeEntry::value(rangeText(GraphControls::TxtTo), RangeEntry::Kind::Whole))) {
        showRangeMessage(m_span.refusal());
        return;
    }
    m_followsEnd = m_span.isWhole();
    DrawFrame();
}

void ListPlotModel::zoomTo(double fromX, double toX) {
    if (!(state().PlotWidth > 0))
        return;
    const RecordAxis axis = this->axis();
    const bool accepted =
        m_span.set(axis.recordAt(std::min(fromX, toX)), axis.recordAt(std::max(fromX, toX)));
    if (accepted)
        m_followsEnd = false;
    zoomToSpan(accepted);
}

void ListPlotModel::zoomOut() {
    m_followsEnd = true;
    // A file of one record so far has no span to set: it is drawn as it is.
    zoomToSpan(m_span.records() == 1 || m_span.set(1, m_span.records()));
}

void ListPlotModel::zoomToSpan(bool accepted) {
    if (!accepted) {
        showRangeMessage(m_span.refusal());
        return;
    }
    drawNow();
}

void ListPlotModel::drawNow() {
    fillRangeTexts();
    if (!records())
        return;
    DrawFrame();
    Timer1().stop(); // no pass a second later: the span is drawn now
    GraphState &s = writableState();
    const SpanEnd end = drawSpan(surface(), s.shows());
    s.XPos = float(end.offset);
    s.PrevX = float(s.PlotLeft + end.offset);
    for (Channel channel : Channels) {
        const size_t c = size_t(channel);
        s.show(channel) = end.show[c];
        if (end.drawn[c])
            s.prevY(channel) = float(end.lastY[c]);
    }
    if (statisticsShown())
        drawStatistics(surface());
}

ListPlotModel::SpanEnd ListPlotModel::drawSpan(Surface &out, std::array<int, 3> show) {
    const GraphState &s = state();
    const RecordTable &table = *records();
    const RecordAxis axis = this->axis();
    const qint64 n = axis.n();
    const int firstRow = FromNo() - 1;
    // Only column extents draw the same lines from fewer points.
    const bool gather = m_drawing == PlotPass::Drawing::ColumnExtents && s.PlotWidth > 0;
    if (gather)
        buildPyramid();

    SpanWalk walk(out, m_drawing, table, s, axis, show);
    // The records at which something happens besides points: the progress marks, and the
    // first "----" of each channel drawn, where its curve ends.
    const qint64 marks[] = {0, n / 4, n / 2, (3 * n + 3) / 4, n};
    std::array<qint64, 3> offAt{-1, -1, -1};
    if (gather) {
        for (size_t c = 0; c < 3; ++c) {
            const int row = m_pyramid.firstOff(int(c), firstRow);
            if (row >= 0 && row - firstRow <= n)
                offAt[c] = row - firstRow;
        }
    }
    const auto nextEvent = [&](qint64 k) {
        qint64 next = n + 1;
        for (qint64 mark : marks) {
            if (mark > k)
                next = std::min(next, mark);
        }
        for (size_t c = 0; c < 3; ++c) {
            if (walk.switches()[c] && offAt[c] > k)
                next = std::min(next, offAt[c]);
        }
        return next;
    };

    SpanEnd end;
    for (qint64 k = 0; k <= n;) {
        const int row = firstRow + int(k);
        // The records after this one in its pixel column, up to the next event.
        const qint64 last = gather ? axis.lastInColumn(k, nextEvent(k)) : k;
        const int lastRow = firstRow + int(last);
        walk.record(k);
        for (Channel channel : Channels) {
            const size_t c = size_t(channel);
            if (!walk.drew(channel))
                continue;
            double y = walk.pointY(channel);
            if (last > k) {
                // The lowest and highest of the records between: the column's extent.
                const double x = walk.pointX();
                const RecordPyramid::Extent between = m_pyramid.extent(
                    int(c), row + 1, lastRow, [&](int r) { return levelOf(channel, r); });
                if (!between.isEmpty()) {
                    walk.addPoint(channel, x, s.yOf(RecordPyramid::readingOf(between.low)));
                    walk.addPoint(channel, x, s.yOf(RecordPyramid::readingOf(between.high)));
                }
                y = s.yOf(Reading::of(table.rawCell(recordColumnOf(channel), lastRow)));
                walk.addPoint(channel, axis.xOf(last), y);
            }
            end.lastY[c] = y;
            end.drawn[c] = true;
        }
        end.offset = axis.offsetOf(last);
        k = last + 1;
    }
    walk.flush();
    end.show = walk.switches();
    return end;
}

double ListPlotModel::levelOf(Channel channel, int row) const {
    return RecordPyramid::levelOf(Reading::of(records()->rawCell(recordColumnOf(channel), row)));
}

bool ListPlotModel::pyramidBuilt() const {
    const RecordTable *table = records();
    return table && m_pyramid.records() == table->rowCount();
}

void ListPlotModel::buildPyramid() {
    if (!pyramidBuilt() && records())
        m_pyramid = RecordPyramid::of(*records());
}

void ListPlotModel::drawPicture(Surface &out) {
    drawFrame(out);
    if (!records())
        return;
    drawSpan(out, m_frameShow);
    if (statisticsShown())
        drawStatistics(out);
}

SpanStatistics ListPlotModel::statistics() {
    if (!records())
        return {};
    buildPyramid();
    return SpanStatistics::of(m_pyramid, *records(), FromNo(), ToNo());
}

QStringList ListPlotModel::statisticsLines() {
    QStringList lines;
    if (!records())
        return lines;
    const SpanStatistics statistics = this->statistics();
    for (Channel channel : Channels)
        lines << statistics.line(channel, *records());
    return lines;
}

double ListPlotModel::statisticsHeight(const Surface &out) const {
    return 3 * out.textSize(QStringLiteral("T1")).height() + 6;
}

void ListPlotModel::drawStatistics(Surface &out) {
    const QStringList lines = statisticsLines();
    if (lines.isEmpty())
        return;
    const double lineHeight = out.textSize(QStringLiteral("T1")).height();
    const double top = out.size().height() - statisticsHeight(out) + 3;
    out.fillRect({0, top - 3}, {double(out.size().width()), double(out.size().height())},
                 GraphColours::White);
    for (Channel channel : Channels) {
        const int i = int(channel);
        out.drawText({double(state().PlotLeft) - 62, top + i * lineHeight}, lines[i],
                     GraphColours::of(channel));
    }
}

void ListPlotModel::statisticsToggled() {
    if (isOpen() && records() && state().PlotWidth > 0)
        drawNow();
}

std::optional<Readout> ListPlotModel::readoutAt(const QPointF &pointer) const {
    const RecordTable *table = records();
    const GraphState &s = state();
    if (!table || !hasRecords() || !(s.PlotWidth > 0) || !s.readoutArea().contains(pointer))
        return std::nullopt;
    const RecordAxis axis = this->axis();
    const qint64 k = axis.nearest(pointer.x());
    const int row = FromNo() - 1 + int(k);
    Readout readout;
    readout.x = axis.xOf(k);
    readout.place = QStringLiteral("No. %1").arg(row + 1);
    readout.detail = table->cell(1, row);
    for (Channel channel : Channels) {
        if (m_frameShow[size_t(channel)])
            readout.values[size_t(channel)] = table->cell(recordColumnOf(channel), row);
    }
    readout.unit = unit();
    return readout;
}

void ListPlotModel::fillRangeTexts() {
    const GraphState &s = state();
    setRangeText(GraphControls::TxtFrom, QString::number(FromNo()));
    setRangeText(GraphControls::TxtTo, QString::number(ToNo()));
    setRangeText(GraphControls::TxtMax, RangeEntry::decimalText(s.YMax));
    setRangeText(GraphControls::TxtMin, RangeEntry::decimalText(s.YMin));
}

void ListPlotModel::completeDrawing() {
    if (m_pass)
        m_pass->flush();
}
