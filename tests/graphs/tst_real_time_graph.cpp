// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/meter_frames.h"
#include "fakes/started_program.h"
#include "graphs/real_time_t1t2_model.h"
#include "panel/panel_model.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

using Kind = FakeSurface::Kind;

const QString DegreesC = QStringLiteral("\u00B0C");
const QString DegreesF = QStringLiteral("\u00B0F");

// The plot of the design size: left 80, bottom 161, width 180, height 51, top 110.
constexpr float L = 80;
constexpr float B = 161;
constexpr float T = 110;

} // namespace

// The real-time graph on the fakes: opened by "Graph" of the panel, drawn into a fake
// surface, fed by the panel's live values.
class TestRealTimeGraph : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void graphOpensOnceWithTheUnitOfItsOpening();
    void limits_data();
    void limits();
    void frameRestartsTheSweepAndHidesThePanels();
    void opensWhereItsValueLabelsStandApart();
    void sweepErasesAtTheRightEdge();
    void gridLinesTimeLabelsAndMarks();
    void halfStepsDrawTheSameTimeLabelThreeTimes();
    void heights_data();
    void heights();
    void noValueSwitchesAChannelOff();
    void channelSwitchedOnStartsAfresh();
    void functionPanel();
    void rangePanelShowsTheState_data();
    void rangePanelShowsTheState();
    void rangeOk_data();
    void rangeOk();
    void keyFiltersAndTheEnterChain();
    void print_data();
    void print();
    void closedGraphDrawsNoMore();

private:
    RealTimeT1T2Model *openGraph();
    FakeSurface &surface() { return static_cast<FakeSurface &>(m_graph->surface()); }
    LiveValues &live() { return m_live; }
    void setReadings(const QString &t1, const QString &t2, const QString &diff);
    void ticks(int count);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    // What the graph is fed, as the panel's live values would feed it.
    LiveValues m_live;
    RealTimeT1T2Model *m_graph = nullptr;
};

void TestRealTimeGraph::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes); // a frame of type J, °C has been shown
    QVERIFY(m_program);
    m_live = m_program->panel().live();
    live().TypeText = QStringLiteral("K");
    setReadings(QStringLiteral("25.3"), QStringLiteral("24.0"), QStringLiteral("1.3"));
    m_graph = openGraph();
    QVERIFY(m_graph);
    m_graph->resize(RealTimeT1T2Model::DesignSize);
}

void TestRealTimeGraph::cleanup() {
    m_graph = nullptr;
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

RealTimeT1T2Model *TestRealTimeGraph::openGraph() {
    return openRealTimeGraph(*m_program, m_live);
}

void TestRealTimeGraph::setReadings(const QString &t1, const QString &t2, const QString &diff) {
    live().T1Text = t1;
    live().T2Text = t2;
    live().DiffText = diff;
}

void TestRealTimeGraph::ticks(int count) {
    for (int i = 0; i < count; ++i) {
        m_graph->PlotTick();
        m_fakes->clock.advance(1);
    }
}

void TestRealTimeGraph::graphOpensOnceWithTheUnitOfItsOpening() {
    // Opened by the panel's "Graph", fed by the panel's live values.
    m_graph->requestClose();
    QVERIFY(!m_program->GraphOpen());
    m_program->panel().showFrame(MeterFrames::liveFrame("25.3", "24.0", "K", DegreesC));
    m_program->panel().press(PanelCommand::Graph);
    m_graph = m_program->graph();
    QVERIFY(m_graph);
    QVERIFY(m_program->GraphOpen());
    QCOMPARE(m_graph->name(), QStringLiteral("RealTimeT1T2"));
    QCOMPARE(m_graph->caption(), QStringLiteral("Real Time Graph"));
    QStringList keys, tips;
    for (const ToolButton &button : m_graph->toolbar()) {
        keys << button.key.name;
        tips << button.tooltip;
    }
    QCOMPARE(keys, (QStringList{"Function", "Range", "Print", "SaveImage"}));
    QCOMPARE(tips, (QStringList{"Graphic Function", "Graphic Range", "Print", "Save Image"}));
    QCOMPARE(m_graph->GraphUnit(), DegreesC);

    // A second "Graph" leaves the open window as it is, even after the unit changed.
    m_graph->setChecked(QStringLiteral("CKT1"), false);
    m_graph->functionOk();
    m_program->panel().showFrame(MeterFrames::liveFrame("25.3", "24.0", "K", DegreesF));
    m_program->panel().press(PanelCommand::Graph);
    QCOMPARE(m_program->graph(), m_graph);
    QCOMPARE(m_graph->GraphUnit(), DegreesC);

    // Closed and opened again: a fresh window, in the unit of now, all channels on.
    m_graph->requestClose();
    QVERIFY(!m_program->GraphOpen());
    m_program->panel().press(PanelCommand::Graph);
    m_graph = m_program->graph();
    QVERIFY(m_graph);
    QCOMPARE(m_graph->GraphUnit(), DegreesF);
    QCOMPARE(m_graph->state().ShowT1, 1);
    QCOMPARE(m_graph->state().XStep, 1.0f);
}

void TestRealTimeGraph::limits_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("maxLimit");
    QTest::addColumn<int>("minLimit");
    QTest::newRow("°C K") << DegreesC << "K" << 1333 << -190;
    QTest::newRow("°C J") << DegreesC << "J" << 760 << -190;
    QTest::newRow("°F J") << DegreesF << "J" << 1400 << -310;
    QTest::newRow("°F K") << DegreesF << "K" << 2431 << -310;
    // "Graph" pressed before the meter's first frame: the range of °C for the type shown.
    QTest::newRow("no unit yet, J") << ""
                                    << "J" << 760 << -190;
    QTest::newRow("no unit yet, no type") << ""
                                          << "" << 1333 << -190;
}

void TestRealTimeGraph::limits() {
    QFETCH(QString, unit);
    QFETCH(QString, type);
    QFETCH(int, maxLimit);
    QFETCH(int, minLimit);
    m_graph->requestClose();
    live().UnitText = unit;
    live().TypeText = type;
    m_graph = openGraph();
    m_graph->resize(RealTimeT1T2Model::DesignSize);
    const GraphState &s = m_graph->state();
    QCOMPARE(s.MaxLimit, maxLimit);
    QCOMPARE(s.MinLimit, minLimit);
    QCOMPARE(s.YMax, float(maxLimit));
    QCOMPARE(s.YMin, float(minLimit));
    QCOMPARE(m_graph->GraphUnit(), unit);

    // Every reading gets a height inside the plot area or just outside it.
    ticks(2);
    const QList<FakeSurface::Call> blue = surface().linesOf(GraphColours::T1);
    QCOMPARE(blue.size(), 1);
    const double y = blue[0].to.y();
    QVERIFY2(std::isfinite(y) && y >= T - 5 && y <= B + 3, qPrintable(QString::number(y)));
}

void TestRealTimeGraph::frameRestartsTheSweepAndHidesThePanels() {
    const GraphState &s = m_graph->state();
    QCOMPARE(s.PlotWidth, 180.f);
    QCOMPARE(s.PlotHeight, 51.f);
    QCOMPARE(s.PlotBottom, 161.f);
    QCOMPARE(s.XPos, -1.f);
    QCOMPARE(s.PrevX, 0.f);
    QVERIFY(m_graph->Timer1().isActive());
    QCOMPARE(m_graph->Timer1().interval(), 1000);
    QCOMPARE(surface().sinceClear(Kind::Text).last().text, DegreesC);

    ticks(5);
    m_graph->run(GraphCommand::Range);
    QVERIFY(m_graph->rangePanelVisible());
    m_graph->resize(QSize(400, 300));
    QVERIFY(!m_graph->rangePanelVisible());
    QVERIFY(!m_graph->functionPanelVisible());
    QCOMPARE(s.PlotWidth, 300.f);
    QCOMPARE(s.XPos, -1.f);
    QCOMPARE(s.PrevX, 0.f);
    QVERIFY(m_graph->Timer1().isActive());
}

void TestRealTimeGraph::opensWhereItsValueLabelsStandApart() {
    // The tops of the nine value labels, bottom to top, and whether any two overlap.
    const auto labelGaps = [this] {
        QList<double> tops;
        for (const FakeSurface::Call &text : surface().sinceClear(FakeSurface::Kind::Text)) {
            if (text.from.x() == m_graph->state().PlotLeft - 62)
                tops << text.from.y();
        }
        double smallest = 1e9;
        for (qsizetype i = 1; i < tops.size(); ++i)
            smallest = std::min(smallest, tops[i - 1] - tops[i]);
        return std::make_pair(tops.size(), smallest);
    };
    // Labels 12 pixels high: nine of them need a plot of 108 pixels, 268 of client height.
    const QSize opening = m_graph->openingSize();
    QCOMPARE(opening, QSize(287, 268));
    m_graph->resize(opening);
    QCOMPARE(m_graph->state().PlotHeight, 108.f);
    const auto [labels, gap] = labelGaps();
    QCOMPARE(labels, 9);
    QVERIFY2(gap >= FakeSurface::TextHeight, qPrintable(QString::number(gap)));

    // At the design size they lie on top of each other; a resize to it draws just that.
    m_graph->resize(RealTimeT1T2Model::DesignSize);
    QCOMPARE(m_graph->state().PlotHeight, 51.f);
    QVERIFY(labelGaps().second < FakeSurface::TextHeight);
}

void TestRealTimeGraph::sweepErasesAtTheRightEdge() {
    ticks(180);
    QCOMPARE(m_graph->state().XPos, 179.f);
    // Offsets 0 to 179: the first point of the sweep draws no segment.
    const QList<FakeSurface::Call> blue = surface().linesOf(GraphColours::T1);
    QCOMPARE(blue.size(), 179);
    QCOMPARE(blue.first().from.x(), L);
    QCOMPARE(blue.last().to.x(), L + 179);

    const int callsBefore = surface().calls.size();
    ticks(1); // the 181st: XPos reaches 180, the picture is erased, no point
    QCOMPARE(surface().calls.at(callsBefore).kind, Kind::Clear);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 0);
    QCOMPARE(m_graph->state().XPos, -1.f);

    ticks(1); // the 182nd: offset 0 again, with the sweep's grid
    QCOMPARE(m_graph->state().XPos, 0.f);
    QCOMPARE(m_graph->state().PrevX, L);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 0);
    const QList<FakeSurface::Call> fills = surface().sinceClear(Kind::Fill);
    QVERIFY(std::any_of(fills.cbegin(), fills.cend(), [](const FakeSurface::Call &fill) {
        return fill.from == QPointF(L, B + 50) && fill.to == QPointF(L + 180, T - 8) &&
               fill.colour == GraphColours::White;
    }));
    ticks(1);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 1);
}

void TestRealTimeGraph::gridLinesTimeLabelsAndMarks() {
    ticks(180);
    const QList<FakeSurface::Call> grid = surface().linesOf(GraphColours::Grid);
    QList<double> vertical, marks;
    QList<double> horizontal;
    for (const FakeSurface::Call &line : grid) {
        if (line.from.x() == line.to.x() && line.style == Surface::LineStyle::Dotted) {
            QCOMPARE(line.from.y(), double(B));
            QCOMPARE(line.to.y(), double(T - 10));
            vertical << line.from.x();
        } else if (line.from.x() == line.to.x()) {
            QCOMPARE(line.from.y(), double(B - 3.8f * 51 / 8));
            QCOMPARE(line.to.y(), double(B - 4.2f * 51 / 8));
            marks << line.from.x();
        } else {
            horizontal << line.from.y();
        }
    }
    QCOMPARE(vertical, (QList<double>{L, L + 60, L + 120}));
    QCOMPARE(marks, (QList<double>{L + 30, L + 90, L + 150}));
    // The first point draws the middle line and the eight dotted ones.
    QCOMPARE(horizontal.size(), 9);
    QCOMPARE(horizontal.first(), B - 51 / 2.0);

    // Time labels under the grid lines, on a white box, 5 pixels left of it.
    QStringList labels;
    for (const FakeSurface::Call &text : surface().sinceClear(Kind::Text)) {
        if (text.from.y() == B + 10)
            labels << text.text;
    }
    QCOMPARE(labels, (QStringList{"14:25:01", "14:26:01", "14:27:01"}));
    const FakeSurface::Call second = [&] {
        for (const FakeSurface::Call &text : surface().sinceClear(Kind::Text)) {
            if (text.text == QStringLiteral("14:26:01"))
                return text;
        }
        return FakeSurface::Call{};
    }();
    const double halfWidth = 8 * FakeSurface::CharWidth / 2.0;
    QCOMPARE(second.from, QPointF(L - 5 + 60 - halfWidth, B + 10));
    QCOMPARE(m_graph->state().TimeLabel, QStringLiteral("14:27:01"));
    const QList<FakeSurface::Call> fills = surface().sinceClear(Kind::Fill);
    QVERIFY(std::any_of(fills.cbegin(), fills.cend(), [&](const FakeSurface::Call &fill) {
        return fill.from == QPointF(L + 60 - halfWidth, B + 10) &&
               fill.to == QPointF(L + 60 + halfWidth, B + 20);
    }));
}

void TestRealTimeGraph::halfStepsDrawTheSameTimeLabelThreeTimes() {
    m_graph->run(GraphCommand::Range);
    m_graph->setRangeText(QStringLiteral("TxtCounts"), QStringLiteral("360"));
    m_graph->rangeOk();
    QCOMPARE(m_graph->state().XStep, 0.5f);
    ticks(122); // XPos 0 to 60.5
    QList<double> vertical;
    for (const FakeSurface::Call &line : surface().linesOf(GraphColours::Grid)) {
        if (line.from.x() == line.to.x() && line.style == Surface::LineStyle::Dotted)
            vertical << line.from.x();
    }
    // 59.5, 60 and 60.5 all round to 60 (halves to even): the line and label three times;
    // 0.5 rounds to 0 and repeats the first.
    QCOMPARE(vertical, (QList<double>{L, L + 0.5, L + 59.5, L + 60, L + 60.5}));
}

void TestRealTimeGraph::heights_data() {
    QTest::addColumn<QString>("reading");
    QTest::addColumn<double>("y");
    // °C type K: -190 to 1333 over 51 pixels.
    QTest::newRow("OL: 5 above the top") << "OL" << double(T - 5);
    QTest::newRow("-OL: 3 below the bottom") << "-OL" << double(B + 3);
    QTest::newRow("YMax on the top edge") << "1333" << double(T);
    QTest::newRow("YMin on the bottom edge") << "-190" << double(B);
    QTest::newRow("above YMax") << "2000" << double(T - 5);
    QTest::newRow("below YMin") << "-200" << double(B + 3);
    QTest::newRow("a text without number is 0") << "abc" << double(float(B - 190 / 1523.0 * 51));
}

void TestRealTimeGraph::heights() {
    QFETCH(QString, reading);
    QFETCH(double, y);
    ticks(1);
    setReadings(reading, reading, reading);
    ticks(1);
    for (const Rgb colour : {GraphColours::T1, GraphColours::T2, GraphColours::Diff}) {
        const QList<FakeSurface::Call> lines = surface().linesOf(colour);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].from.x(), double(L));
        QCOMPARE(lines[0].to, QPointF(L + 1, y));
        QCOMPARE(lines[0].width, 1);
    }
}

void TestRealTimeGraph::noValueSwitchesAChannelOff() {
    ticks(2);
    setReadings(QStringLiteral("25.3"), QStringLiteral("24.0"), QStringLiteral("----"));
    ticks(3);
    QCOMPARE(m_graph->state().ShowDiff, 0);
    QCOMPARE(surface().linesOf(GraphColours::Diff).size(), 1); // from before the "----"
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 4);
    // A value again does not switch it back on: only the user does.
    setReadings(QStringLiteral("25.3"), QStringLiteral("24.0"), QStringLiteral("1.3"));
    ticks(2);
    QCOMPARE(surface().linesOf(GraphColours::Diff).size(), 1);

    m_graph->run(GraphCommand::Function);
    QVERIFY(m_graph->functionPanelVisible());
    QVERIFY(!m_graph->isChecked(QStringLiteral("CKT1T2")));
    QVERIFY(m_graph->isChecked(QStringLiteral("CKT1")));
    QVERIFY(m_graph->isChecked(QStringLiteral("CKT2")));
}

void TestRealTimeGraph::channelSwitchedOnStartsAfresh() {
    m_graph->run(GraphCommand::Function);
    m_graph->setChecked(QStringLiteral("CKT2"), false);
    m_graph->functionOk();
    ticks(5);
    QCOMPARE(surface().linesOf(GraphColours::T2).size(), 0);
    setReadings(QStringLiteral("25.3"), QStringLiteral("1000"), QStringLiteral("1.3"));
    m_graph->run(GraphCommand::Function);
    m_graph->setChecked(QStringLiteral("CKT2"), true);
    m_graph->functionOk();
    // No segment from the top edge or from a point before it was off: it starts here.
    ticks(1);
    QCOMPARE(surface().linesOf(GraphColours::T2).size(), 0);
    ticks(1);
    const QList<FakeSurface::Call> green = surface().linesOf(GraphColours::T2);
    QCOMPARE(green.size(), 1);
    QCOMPARE(green[0].from.x(), double(L + 5));
    QCOMPARE(green[0].from.y(), green[0].to.y());
}

void TestRealTimeGraph::functionPanel() {
    m_graph->run(GraphCommand::Function);
    QVERIFY(m_graph->functionPanelVisible());
    m_graph->run(GraphCommand::Range); // one panel at a time
    QVERIFY(!m_graph->functionPanelVisible());
    QVERIFY(m_graph->rangePanelVisible());
    m_graph->run(GraphCommand::Function);
    m_graph->run(GraphCommand::Function); // toggles
    QVERIFY(!m_graph->functionPanelVisible());

    ticks(3);
    m_graph->run(GraphCommand::Function);
    m_graph->setChecked(QStringLiteral("CKT1"), false);
    m_graph->functionCancel();
    QVERIFY(!m_graph->functionPanelVisible());
    QCOMPARE(m_graph->state().ShowT1, 1);

    m_graph->run(GraphCommand::Function);
    QVERIFY(m_graph->isChecked(QStringLiteral("CKT1"))); // from the switches again
    m_graph->setChecked(QStringLiteral("CKT1"), false);
    const int clears = surface().count(Kind::Clear);
    m_graph->functionOk();
    QVERIFY(!m_graph->functionPanelVisible());
    QCOMPARE(m_graph->state().ShowT1, 0);
    QCOMPARE(surface().count(Kind::Clear), clears); // the picture stays
    QVERIFY(m_graph->Timer1().isActive());
    ticks(2);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 2);
    QCOMPARE(surface().linesOf(GraphColours::T2).size(), 4);
}

void TestRealTimeGraph::rangePanelShowsTheState_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("shown"); // Counts, Max, Min
    QTest::newRow("°F J") << DegreesF << "J" << QStringList{"180", "1400", "-310"};
    QTest::newRow("°C K") << DegreesC << "K" << QStringList{"180", "1333", "-190"};
}

void TestRealTimeGraph::rangePanelShowsTheState() {
    QFETCH(QString, unit);
    QFETCH(QString, type);
    QFETCH(QStringList, shown);
    m_graph->requestClose();
    live().UnitText = unit;
    live().TypeText = type;
    m_graph = openGraph();
    m_graph->resize(RealTimeT1T2Model::DesignSize);
    m_graph->run(GraphCommand::Range);
    QCOMPARE(m_graph->rangeText(QStringLiteral("TxtCounts")), shown[0]);
    QCOMPARE(m_graph->rangeText(QStringLiteral("TxtMax")), shown[1]);
    QCOMPARE(m_graph->rangeText(QStringLiteral("TxtMin")), shown[2]);

    // Counts follows the width, not the step: a wider window shows more.
    m_graph->resize(QSize(400, 211));
    m_graph->run(GraphCommand::Range);
    QCOMPARE(m_graph->rangeText(QStringLiteral("TxtCounts")), QStringLiteral("300"));
}

void TestRealTimeGraph::rangeOk_data() {
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("counts");
    QTest::addColumn<QString>("message");
    QTest::addColumn<float>("yMax");
    QTest::addColumn<float>("yMin");
    QTest::addColumn<float>("xStep");
    const QString values = QStringLiteral("-190 <= Value <= 1333, try again!");
    const QString counts = QStringLiteral("10 <= Counts <= 864000, try again!");
    QTest::newRow("accepted") << "100"
                              << "-50.5"
                              << "10"
                              << "" << 100.f << -50.5f << 18.f;
    QTest::newRow("limits themselves") << "1333"
                                       << "-190"
                                       << "180"
                                       << "" << 1333.f << -190.f << 1.f;
    QTest::newRow("Max above the limit") << "1334"
                                         << "0"
                                         << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("Min below the limit") << "100"
                                         << "-191"
                                         << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("Max equal to Min") << "100"
                                      << "100"
                                      << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("Max below Min") << "10"
                                   << "100"
                                   << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("Max one float above Min") << "100.000001"
                                             << "100"
                                             << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("pasted 1e99") << "1e99"
                                 << "0"
                                 << "180" << values << 1333.f << -190.f << 1.f;
    QTest::newRow("pasted 40 digits") << QString(40, QLatin1Char('9')) << "0"
                                      << "180" << values << 1333.f << -190.f << 1.f;
    // A refused count keeps the values already stored.
    QTest::newRow("Counts 9") << "100"
                              << "0"
                              << "9" << counts << 100.f << 0.f << 1.f;
    QTest::newRow("Counts 864001") << "100"
                                   << "0"
                                   << "864001" << counts << 100.f << 0.f << 1.f;
    QTest::newRow("Counts 864000") << "100"
                                   << "0"
                                   << "864000"
                                   << "" << 100.f << 0.f << 180.f / 864000;
    QTest::newRow("Counts pasted with a point") << "100"
                                                << "0"
                                                << "12.5" << counts << 100.f << 0.f << 1.f;
}

void TestRealTimeGraph::rangeOk() {
    QFETCH(QString, max);
    QFETCH(QString, min);
    QFETCH(QString, counts);
    QFETCH(QString, message);
    ticks(3);
    m_graph->run(GraphCommand::Range);
    m_graph->setRangeText(QStringLiteral("TxtMax"), max);
    m_graph->setRangeText(QStringLiteral("TxtMin"), min);
    m_graph->setRangeText(QStringLiteral("TxtCounts"), counts);
    const int clears = surface().count(Kind::Clear);
    m_graph->rangeOk();

    const GraphState &s = m_graph->state();
    QTEST(s.YMax, "yMax");
    QTEST(s.YMin, "yMin");
    QTEST(s.XStep, "xStep");
    if (message.isEmpty()) {
        QVERIFY(m_fakes->dialogs.messages.isEmpty());
        QVERIFY(!m_graph->rangePanelVisible());
        QCOMPARE(surface().count(Kind::Clear), clears + 1);
        QCOMPARE(s.XPos, -s.XStep);
    } else {
        QCOMPARE(m_fakes->dialogs.messages.size(), 1);
        QCOMPARE(m_fakes->dialogs.messages[0].text, message);
        QCOMPARE(m_fakes->dialogs.messages[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(m_fakes->dialogs.messages[0].buttons, Dialogs::Buttons::Ok);
        QVERIFY(m_graph->rangePanelVisible());
        QCOMPARE(surface().count(Kind::Clear), clears);
        QCOMPARE(s.XPos, 2.f);
    }
}

void TestRealTimeGraph::keyFiltersAndTheEnterChain() {
    m_graph->run(GraphCommand::Range);
    QSignalSpy focus(m_graph, &GraphWindowModel::focusRequested);
    for (const char *box : {"TxtMax", "TxtMin"}) {
        const QString name = QLatin1String(box);
        QVERIFY(m_graph->keyTyped(name, QLatin1Char('7')));
        QVERIFY(m_graph->keyTyped(name, QLatin1Char('-')));
        QVERIFY(m_graph->keyTyped(name, QLatin1Char('.')));
        QVERIFY(m_graph->keyTyped(name, QChar(8)));
        QVERIFY(!m_graph->keyTyped(name, QLatin1Char('a')));
        QVERIFY(!m_graph->keyTyped(name, QLatin1Char('e')));
    }
    QVERIFY(m_graph->keyTyped(QStringLiteral("TxtCounts"), QLatin1Char('7')));
    QVERIFY(m_graph->keyTyped(QStringLiteral("TxtCounts"), QChar(8)));
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtCounts"), QLatin1Char('-')));
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtCounts"), QLatin1Char('.')));
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtCounts"), QLatin1Char('x')));
    QVERIFY(focus.isEmpty());

    // Enter walks Max, Min, Counts, then confirms.
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtMax"), QChar(13)));
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtMin"), QChar(13)));
    QCOMPARE(focus.size(), 2);
    QCOMPARE(focus[0][0].toString(), QStringLiteral("TxtMin"));
    QCOMPARE(focus[1][0].toString(), QStringLiteral("TxtCounts"));
    m_graph->setRangeText(QStringLiteral("TxtCounts"), QStringLiteral("9"));
    QVERIFY(!m_graph->keyTyped(QStringLiteral("TxtCounts"), QChar(13)));
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    m_graph->setRangeText(QStringLiteral("TxtCounts"), QStringLiteral("90"));
    m_graph->keyTyped(QStringLiteral("TxtCounts"), QChar(13));
    QCOMPARE(m_graph->state().XStep, 2.f);
    QVERIFY(!m_graph->rangePanelVisible());
}

void TestRealTimeGraph::print_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("fail");
    QTest::addColumn<int>("printed");
    QTest::newRow("printed") << false << false << 1;
    QTest::newRow("chooser cancelled") << true << false << 0;
    QTest::newRow("printing failed") << false << true << 0;
}

void TestRealTimeGraph::print() {
    QFETCH(bool, cancel);
    QFETCH(bool, fail);
    FakeImagePrinter::Job &job = m_fakes->imagePrintJob;
    job.cancelDialog = cancel;
    job.failPrinting = fail;
    bool toolbarWhilePrinting = true;
    bool panelTimersWhilePrinting = true;
    job.onPrint = [&] {
        toolbarWhilePrinting = m_graph->toolbarVisible();
        panelTimersWhilePrinting = m_program->panel().timers().running();
    };
    m_graph->run(GraphCommand::Function);
    m_graph->run(GraphCommand::Print);

    QCOMPARE(job.dialogs, 1);
    QTEST(job.printed, "printed");
    QVERIFY(!m_graph->functionPanelVisible());
    if (!cancel) {
        QVERIFY(!toolbarWhilePrinting);
        QVERIFY(!panelTimersWhilePrinting);
    }
    if (job.printed)
        QCOMPARE(job.surface, &m_graph->surface());
    // However it ended, the toolbar is back and the panel follows the meter again.
    QVERIFY(m_graph->toolbarVisible());
    QVERIFY(m_program->panel().timers().running());
}

void TestRealTimeGraph::closedGraphDrawsNoMore() {
    ticks(2);
    m_graph->requestClose();
    const int calls = surface().calls.size();
    m_graph->PlotTick();
    QCOMPARE(surface().calls.size(), calls);
}

QTEST_GUILESS_MAIN(TestRealTimeGraph)
#include "tst_real_time_graph.moc"
