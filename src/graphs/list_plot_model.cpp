#include "graphs/list_plot_model.h"

#include "graphs/graph_frame.h"
#include "graphs/plot_geometry.h"
#include "graphs/reading_level.h"
#include "platform/platform.h"
#include "platform/surface.h"
#include "records/record_list_model.h"
#include "windowing/long_work.h"

#include <QScopeGuard>

const QString ListPlotModel::Name = QStringLiteral("ListPlot");

namespace {

QList<ToolButton> toolbarButtons() {
    return {{QStringLiteral("Function"), QStringLiteral("Plot Function"), 1},
            {QStringLiteral("Range"), QStringLiteral("Plot Range"), 2},
            {QStringLiteral("Print"), QStringLiteral("Print"), 3}};
}

// The table column of each channel's readings.
int columnOf(Channel channel) {
    return channel == Channel::T1 ? 2 : channel == Channel::T2 ? 3 : 4;
}

} // namespace

ListPlotModel::ListPlotModel(Platform &platform, TimerGate &panelTimers, RecordListModel &fileList,
                             const QString &plotUnit, const QString &plotType, QObject *parent)
    : GraphWindowModel(Name, QStringLiteral("Plot"), toolbarButtons(), platform, panelTimers,
                       {{QStringLiteral("TxtMax"), RangeEntry::Kind::Decimal},
                        {QStringLiteral("TxtMin"), RangeEntry::Kind::Decimal},
                        {QStringLiteral("TxtFrom"), RangeEntry::Kind::Whole},
                        {QStringLiteral("TxtTo"), RangeEntry::Kind::Whole}},
                       parent)
    , m_fileList(&fileList)
    , m_plotUnit(plotUnit)
    , m_plotType(plotType) {
    GraphState &s = writableState();
    s.GridColor = 7;
    s.PlotLeft = PlotGeometry::FilePlotMargin;
    const auto [maxLimit, minLimit] = rangeLimits(m_plotUnit, m_plotType);
    s.MaxLimit = maxLimit;
    s.MinLimit = minLimit;
    m_fromNo = 1;
    m_toNo = std::max(1, fileList.rowCount() - 1);
    m_recordSpan = m_toNo - m_fromNo;
    s.YMax = float(maxLimit);
    s.YMin = float(minLimit);
    Timer1().setInterval(1000);
    Timer1().setSingleShot(true);
    connect(&Timer1(), &QTimer::timeout, this, &ListPlotModel::DrawPass);
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
    const RecordTable &table = m_fileList->table().table();
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
            drawProgressMark(record, x);
        }
        for (Channel channel : Channels) {
            if (!s.show(channel))
                continue;
            const ReadingLevel level =
                ReadingLevel::of(table.rawCell(columnOf(channel), record - 1));
            if (level.kind == ReadingLevel::Kind::Off) {
                s.show(channel) = 0;
                pass.endCurve(channel);
                continue;
            }
            const double y = B - level.height(s);
            pass.addPoint(channel, x, y);
            s.prevY(channel) = float(y);
        }
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

void ListPlotModel::drawProgressMark(int record, double x) {
    const GraphState &s = state();
    const float B = s.PlotBottom;
    Surface &out = surface();
    out.drawLine({x, B}, {x, s.plotTop() - 10}, GraphColours::Grid, 1, Surface::LineStyle::Dotted);
    const QString label = m_fileList->cell(1, record).right(8);
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
    GraphState &s = writableState();
    const std::optional<double> max =
        RangeEntry::value(rangeText(QStringLiteral("TxtMax")), RangeEntry::Kind::Decimal);
    const std::optional<double> min =
        RangeEntry::value(rangeText(QStringLiteral("TxtMin")), RangeEntry::Kind::Decimal);
    if (!max || !min || float(*max) > s.MaxLimit || float(*min) < s.MinLimit ||
        float(*max) <= float(*min)) {
        showRangeMessage(
            QStringLiteral("%1 <= Value <= %2, try again!").arg(s.MinLimit).arg(s.MaxLimit));
        return;
    }
    // The value range stays even when the record numbers are refused.
    s.YMax = float(*max);
    s.YMin = float(*min);
    const std::optional<double> from =
        RangeEntry::value(rangeText(QStringLiteral("TxtFrom")), RangeEntry::Kind::Whole);
    const std::optional<double> to =
        RangeEntry::value(rangeText(QStringLiteral("TxtTo")), RangeEntry::Kind::Whole);
    const qint64 records = qint64(m_recordSpan) + 1;
    if (!from || !to || *to > double(records) || *from < 1 || *to <= *from) {
        showRangeMessage(QStringLiteral("1 <= No.s <= %1, try again!").arg(records));
        return;
    }
    m_fromNo = int(RangeEntry::roundHalfEven(*from));
    m_toNo = int(RangeEntry::roundHalfEven(*to));
    DrawFrame();
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
