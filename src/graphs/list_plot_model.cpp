// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/list_plot_model.h"

#include "graphs/span_walk.h"
#include "lists/list_window_model.h"
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
    , m_run(std::move(run))
    , m_plotType(plotType)
    , m_drawing(drawing)
    , m_span(m_run ? m_run->rowCount() : fileList.records().rowCount()) {
    Timer1().setSingleShot(true);
    connect(&Timer1(), &QTimer::timeout, this, &ListPlotModel::DrawPass);
}

ListPlotModel::~ListPlotModel() = default;

const RecordTable *ListPlotModel::records() const {
    if (m_run)
        return m_run.get();
    return m_fileList ? &m_fileList->records() : nullptr;
}

void ListPlotModel::frameLaidOut() {
    // A single record has no span to spread over the width: it stands on the axis.
    writableState().XStep = axis().step();
}

void ListPlotModel::frameDrawn() {
    const GraphState &s = state();
    m_frameShow = s.shows();
    // A pass of the frame before stops at its next record; this one draws a second later.
    ++m_frame;
}

bool ListPlotModel::stillDrawing(quint64 frame) const {
    return frame == m_frame && isOpen() && m_fileList && m_fileList->isOpen();
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
        s.PrevX = float(walk.x());
        setProgress(int(k + 1), Progress::RecordsCompleted);
        // A new frame, the plot's closing or the list's ends the pass; the new frame's
        // picture gets its own pass.
        if (!work.step() || !stillDrawing(frame))
            return;
    }
    walk.flush();
    Timer1().stop();
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
    DrawFrame();
}

void ListPlotModel::zoomTo(double fromX, double toX) {
    if (!(state().PlotWidth > 0))
        return;
    const RecordAxis axis = this->axis();
    zoomToSpan(
        m_span.set(axis.recordAt(std::min(fromX, toX)), axis.recordAt(std::max(fromX, toX))));
}

void ListPlotModel::zoomOut() {
    zoomToSpan(m_span.set(1, m_span.records()));
}

void ListPlotModel::zoomToSpan(bool accepted) {
    if (!accepted) {
        showRangeMessage(m_span.refusal());
        return;
    }
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
                const double x = walk.x();
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
    if (records())
        drawSpan(out, m_frameShow);
}

std::optional<Readout> ListPlotModel::readoutAt(const QPointF &pointer) const {
    const RecordTable *table = records();
    const GraphState &s = state();
    if (!table || !m_fileList || !(s.PlotWidth > 0) || !s.readoutArea().contains(pointer))
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
