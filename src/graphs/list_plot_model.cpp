#include "graphs/list_plot_model.h"

#include "graphs/graph_frame.h"
#include "graphs/plot_geometry.h"
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

// The table column of each channel's readings.
int columnOf(Channel channel) {
    return channel == Channel::T1 ? 2 : channel == Channel::T2 ? 3 : 4;
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

// A reading as the pyramid keeps it: its value, over range above every value, under
// range below, switched off as no number.
double pyramidLevel(const Reading &level) {
    switch (level.kind) {
    case Reading::Kind::NoValue:
        return std::numeric_limits<double>::quiet_NaN();
    case Reading::Kind::Over:
        return Infinity;
    case Reading::Kind::Under:
        return -Infinity;
    case Reading::Kind::Number:
        break;
    }
    return level.value;
}

// The reading back from the pyramid: the same height as the reading it came from.
Reading readingOf(double level) {
    if (level == Infinity)
        return {Reading::Kind::Over, 0};
    if (level == -Infinity)
        return {Reading::Kind::Under, 0};
    return {Reading::Kind::Number, level};
}

} // namespace

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                             const QString &plotUnit, const QString &plotType, QObject *parent)
    : ListPlotModel(platform, panelTimers, fileList, nullptr, plotUnit, plotType, parent) {}

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                             std::unique_ptr<RecordTable> run, const QString &plotUnit,
                             const QString &plotType, QObject *parent)
    : GraphWindowModel(Name, QStringLiteral("Plot"), QStringLiteral("Plot"), platform, panelTimers,
                       {{QStringLiteral("TxtMax"), RangeEntry::Kind::Decimal},
                        {QStringLiteral("TxtMin"), RangeEntry::Kind::Decimal},
                        {QStringLiteral("TxtFrom"), RangeEntry::Kind::Whole},
                        {QStringLiteral("TxtTo"), RangeEntry::Kind::Whole}},
                       parent)
    , m_fileList(&fileList)
    , m_run(std::move(run))
    , m_plotUnit(plotUnit)
    , m_plotType(plotType) {
    GraphState &s = writableState();
    s.GridColor = 7;
    s.PlotLeft = PlotGeometry::FilePlotMargin;
    const auto [maxLimit, minLimit] = rangeLimits(m_plotUnit, m_plotType);
    s.MaxLimit = maxLimit;
    s.MinLimit = minLimit;
    m_fromNo = 1;
    m_toNo = std::max(1, m_run ? m_run->rowCount() : fileList.records().rowCount());
    m_recordSpan = m_toNo - m_fromNo;
    s.YMax = float(maxLimit);
    s.YMin = float(minLimit);
    Timer1().setInterval(1000);
    Timer1().setSingleShot(true);
    connect(&Timer1(), &QTimer::timeout, this, &ListPlotModel::DrawPass);
}

ListPlotModel::~ListPlotModel() = default;

const RecordTable *ListPlotModel::records() const {
    if (m_run)
        return m_run.get();
    return m_fileList ? &m_fileList->records() : nullptr;
}

void ListPlotModel::DrawFrame() {
    GraphState &s = writableState();
    const PlotGeometry geometry = PlotGeometry::of(surface().size(), PlotGeometry::FilePlotMargin);
    s.GridColor = 7;
    s.PlotLeft = geometry.PlotLeft;
    s.PlotWidth = geometry.PlotWidth;
    s.PlotHeight = geometry.PlotHeight;
    // A single record has no span to spread over the width: it stands on the axis.
    const int span = m_toNo - m_fromNo;
    s.XStep = span > 0 ? float(double(s.PlotWidth) / span) : 0.0f;
    hidePanels();
    s.PlotBottom = geometry.PlotBottom;
    GraphFrame::draw(surface(), s, m_plotUnit, GraphFrame::PlotArea::GridLines);
    s.PrevX = 0;
    s.PrevY1 = s.PrevY2 = s.PrevYDiff = 0;
    s.XPos = -s.XStep;
    m_frameShow = {s.ShowT1, s.ShowT2, s.ShowDiff};
    // A pass of the frame before stops at its next record.
    ++m_frame;
    Timer1().start();
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
    PlotPass pass(surface(), m_drawing);
    m_pass = &pass;
    const QPointer<ListPlotModel> self(this);
    const auto restore = qScopeGuard([&] {
        if (!self)
            return;
        m_pass = nullptr;
        if (isOpen())
            setCaption(caption);
    });

    LongWork work(*platform().pump, this);
    const RecordTable &table = *records();
    // The first pass over all records builds the pyramid on the way, from the cells it
    // reads anyway.
    const bool building = !pyramidBuilt() && m_fromNo == 1 && m_toNo == table.rowCount();
    if (building)
        m_pyramid.clear();
    const qint64 n = qint64(m_toNo) - m_fromNo;
    const float L = s.PlotLeft;
    const float B = s.PlotBottom;
    for (int record = m_fromNo; record <= m_toNo; ++record) {
        const qint64 k = record - m_fromNo;
        // From the record's place, not by adding XStep up: a float sum of 345,600 steps
        // drifts pixels away from the right edge, where the last record belongs.
        const double offset = n > 0 ? double(k) * s.PlotWidth / double(n) : 0.0;
        s.XPos = float(offset);
        const double x = L + offset;
        if (isProgressMark(k, n)) {
            pass.flush();
            drawProgressMark(surface(), table, record, x);
        }
        RecordPyramid::Levels levels{};
        for (Channel channel : Channels) {
            const bool shown = s.show(channel) != 0;
            if (!shown && !building)
                continue;
            const Reading level = Reading::of(table.rawCell(columnOf(channel), record - 1));
            levels[size_t(channel)] = pyramidLevel(level);
            if (!shown)
                continue;
            if (level.kind == Reading::Kind::NoValue) {
                s.show(channel) = 0;
                pass.endCurve(channel);
                continue;
            }
            const double y = B - s.heightOf(level);
            pass.addPoint(channel, x, y);
            s.prevY(channel) = float(y);
        }
        // A zoom while events ran may have built the whole pyramid meanwhile.
        if (building && m_pyramid.records() == record - 1)
            m_pyramid.append(levels);
        s.PrevX = float(x);
        setProgress(int(k + 1), Progress::RecordsCompleted);
        // A new frame, the plot's closing or the list's ends the pass; the new frame's
        // picture gets its own pass.
        if (!work.step() || !stillDrawing(frame))
            return;
    }
    pass.flush();
    Timer1().stop();
}

void ListPlotModel::drawProgressMark(Surface &out, const RecordTable &table, int record,
                                     double x) const {
    const GraphState &s = state();
    const float B = s.PlotBottom;
    out.drawLine({x, B}, {x, s.plotTop() - 10}, GraphColours::Grid, 1, Surface::LineStyle::Dotted);
    const QString label = table.cell(1, record - 1).right(8);
    const double w = out.textSize(label).width();
    out.fillRect({x - w / 2, B + 10}, {x + w / 2, B + 20}, GraphColours::White);
    out.drawText({x - 5 - w / 2, B + 10}, label, GraphColours::Black);
}

bool ListPlotModel::isProgressMark(qint64 k, qint64 n) {
    // In whole numbers: k <= n/4 < k + 1, k <= n/2 < k + 1, k - 1 < 3n/4 <= k.
    return k == 0 || k == n || k == n / 4 || k == n / 2 || k == (3 * n + 3) / 4;
}

void ListPlotModel::functionOk() {
    GraphState &s = writableState();
    for (Channel channel : Channels)
        s.show(channel) = checkedSwitch(channel);
    hideFunctionPanel();
    DrawFrame();
}

void ListPlotModel::rangeOk() {
    if (acceptRange())
        DrawFrame();
}

bool ListPlotModel::acceptRange() {
    // The value range stays even when the record numbers are refused.
    if (!acceptValueRange())
        return false;
    const std::optional<double> from =
        RangeEntry::value(rangeText(QStringLiteral("TxtFrom")), RangeEntry::Kind::Whole);
    const std::optional<double> to =
        RangeEntry::value(rangeText(QStringLiteral("TxtTo")), RangeEntry::Kind::Whole);
    const qint64 records = qint64(m_recordSpan) + 1;
    if (!from || !to || *to > double(records) || *from < 1 || *to <= *from) {
        showRangeMessage(QStringLiteral("1 <= No.s <= %1, try again!").arg(records));
        return false;
    }
    m_fromNo = int(RangeEntry::roundHalfEven(*from));
    m_toNo = int(RangeEntry::roundHalfEven(*to));
    return true;
}

void ListPlotModel::zoomTo(double fromX, double toX) {
    const GraphState &s = state();
    if (!(s.PlotWidth > 0))
        return;
    const qint64 n = qint64(m_toNo) - m_fromNo;
    const auto recordAt = [&](double x) {
        const double k = RangeEntry::roundHalfEven((x - s.PlotLeft) * double(n) / s.PlotWidth);
        return m_fromNo + int(std::clamp(k, 0.0, double(n)));
    };
    zoomToRecords(recordAt(std::min(fromX, toX)), recordAt(std::max(fromX, toX)));
}

void ListPlotModel::zoomOut() {
    zoomToRecords(1, m_recordSpan + 1);
}

void ListPlotModel::zoomToRecords(int from, int to) {
    const GraphState &s = state();
    setRangeText(QStringLiteral("TxtMax"), RangeEntry::decimalText(s.YMax));
    setRangeText(QStringLiteral("TxtMin"), RangeEntry::decimalText(s.YMin));
    setRangeText(QStringLiteral("TxtFrom"), QString::number(from));
    setRangeText(QStringLiteral("TxtTo"), QString::number(to));
    if (!acceptRange() || !records())
        return;
    DrawFrame();
    Timer1().stop(); // no pass a second later: the span is drawn now
    GraphState &w = writableState();
    const SpanEnd end = drawSpan(surface(), {w.ShowT1, w.ShowT2, w.ShowDiff});
    w.XPos = float(end.offset);
    w.PrevX = float(w.PlotLeft + end.offset);
    for (Channel channel : Channels) {
        const size_t c = size_t(channel);
        w.show(channel) = end.show[c];
        if (end.drawn[c])
            w.prevY(channel) = float(end.lastY[c]);
    }
}

ListPlotModel::SpanEnd ListPlotModel::drawSpan(Surface &out, std::array<int, 3> show) {
    const GraphState &s = state();
    const RecordTable &table = *records();
    const qint64 n = qint64(m_toNo) - m_fromNo;
    const float L = s.PlotLeft;
    const float B = s.PlotBottom;
    const auto offsetOf = [&](qint64 k) {
        return n > 0 ? double(k) * s.PlotWidth / double(n) : 0.0;
    };
    const int firstRow = m_fromNo - 1;
    // Only column extents draw the same lines from fewer points.
    const bool gather = m_drawing == PlotPass::Drawing::ColumnExtents && s.PlotWidth > 0;
    if (gather)
        buildPyramid();

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
            if (show[c] && offAt[c] > k)
                next = std::min(next, offAt[c]);
        }
        return next;
    };
    const auto yOf = [&](const Reading &level) { return B - s.heightOf(level); };

    PlotPass pass(out, m_drawing);
    SpanEnd end;
    for (qint64 k = 0; k <= n;) {
        const int row = firstRow + int(k);
        const double offset = offsetOf(k);
        const double x = L + offset;
        if (isProgressMark(k, n)) {
            pass.flush();
            drawProgressMark(out, table, row + 1, x);
        }
        // The records after this one in its pixel column, up to the next event.
        qint64 last = k;
        if (gather) {
            const double column = std::floor(x);
            last = std::clamp(qint64(std::floor((column + 1 - L) * double(n) / s.PlotWidth)), k,
                              nextEvent(k) - 1);
            while (last > k && std::floor(L + offsetOf(last)) > column)
                --last;
            while (last + 1 < nextEvent(k) && std::floor(L + offsetOf(last + 1)) == column)
                ++last;
        }
        const int lastRow = firstRow + int(last);
        for (Channel channel : Channels) {
            const size_t c = size_t(channel);
            if (!show[c])
                continue;
            const int column = columnOf(channel);
            const Reading level = Reading::of(table.rawCell(column, row));
            if (level.kind == Reading::Kind::NoValue) {
                show[c] = 0;
                pass.endCurve(channel);
                continue;
            }
            double y = yOf(level);
            pass.addPoint(channel, x, y);
            if (last > k) {
                // The lowest and highest of the records between: the column's extent.
                const RecordPyramid::Extent between = m_pyramid.extent(
                    int(c), row + 1, lastRow, [&](int r) { return levelOf(channel, r); });
                if (!between.isEmpty()) {
                    pass.addPoint(channel, x, yOf(readingOf(between.low)));
                    pass.addPoint(channel, x, yOf(readingOf(between.high)));
                }
                y = yOf(Reading::of(table.rawCell(column, lastRow)));
                pass.addPoint(channel, L + offsetOf(last), y);
            }
            end.lastY[c] = y;
            end.drawn[c] = true;
        }
        end.offset = offsetOf(last);
        k = last + 1;
    }
    pass.flush();
    end.show = show;
    return end;
}

double ListPlotModel::levelOf(Channel channel, int row) const {
    return pyramidLevel(Reading::of(records()->rawCell(columnOf(channel), row)));
}

bool ListPlotModel::pyramidBuilt() const {
    const RecordTable *table = records();
    return table && m_pyramid.records() == table->rowCount();
}

void ListPlotModel::buildPyramid() {
    if (pyramidBuilt() || !records())
        return;
    const RecordTable &table = *records();
    m_pyramid.clear();
    for (int row = 0; row < table.rowCount(); ++row) {
        RecordPyramid::Levels levels{};
        for (Channel channel : Channels)
            levels[size_t(channel)] = levelOf(channel, row);
        m_pyramid.append(levels);
    }
}

void ListPlotModel::drawPicture(Surface &out) {
    GraphFrame::draw(out, state(), m_plotUnit, GraphFrame::PlotArea::GridLines);
    if (records())
        drawSpan(out, m_frameShow);
}

std::optional<Readout> ListPlotModel::readoutAt(const QPointF &pointer) const {
    const RecordTable *table = records();
    const GraphState &s = state();
    // Points over and under the range lie 5 pixels above and 3 below the plot area.
    const QRectF area = s.plotArea().adjusted(0, -5, 0, 3);
    if (!table || !m_fileList || !(s.PlotWidth > 0) || !area.contains(pointer))
        return std::nullopt;
    const qint64 n = qint64(m_toNo) - m_fromNo;
    const double nearest =
        n > 0 ? RangeEntry::roundHalfEven((pointer.x() - s.PlotLeft) * double(n) / s.PlotWidth)
              : 0.0;
    const qint64 k = qint64(std::clamp(nearest, 0.0, double(n)));
    const int row = m_fromNo - 1 + int(k);
    Readout readout;
    readout.x = s.PlotLeft + (n > 0 ? double(k) * s.PlotWidth / double(n) : 0.0);
    readout.place = QStringLiteral("No. %1").arg(row + 1);
    readout.detail = table->cell(1, row);
    for (Channel channel : Channels) {
        if (m_frameShow[size_t(channel)])
            readout.values[size_t(channel)] = table->cell(columnOf(channel), row);
    }
    readout.unit = m_plotUnit;
    return readout;
}

void ListPlotModel::fillRangeTexts() {
    const GraphState &s = state();
    setRangeText(QStringLiteral("TxtFrom"), QString::number(m_fromNo));
    setRangeText(QStringLiteral("TxtTo"), QString::number(m_toNo));
    setRangeText(QStringLiteral("TxtMax"), RangeEntry::decimalText(s.YMax));
    setRangeText(QStringLiteral("TxtMin"), RangeEntry::decimalText(s.YMin));
}

void ListPlotModel::completeDrawing() {
    if (m_pass)
        m_pass->flush();
}
