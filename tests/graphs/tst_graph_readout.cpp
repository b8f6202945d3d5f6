// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/program.h"

#include <QTest>

namespace {

const QString DegreesC = QStringLiteral("\u00B0C");
const QSize Small(287, 211);

// The file plot of a 287 × 211 client area: left 75, width 210, bottom 161, top 110.
constexpr double L = 75;
constexpr double W = 210;
// The real-time graph of its design size: left 80, width 180.
constexpr double GraphLeft = 80;

// Place, detail, then the lines of T1, T2 and T1-T2 as the readout shows them.
QStringList textsOf(const std::optional<Readout> &readout) {
    if (!readout)
        return {};
    return {readout->place, readout->detail, readout->line(Channel::T1), readout->line(Channel::T2),
            readout->line(Channel::Diff)};
}

} // namespace

// The cursor readout of both graphs on the fakes: which record or tick the pointer reads,
// and the texts of its values.
class TestGraphReadout : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filePlot_data();
    void filePlot();
    void filePlotLeavesOutChannelsSwitchedOff();
    void filePlotReadsTheZoomedSpan();
    void realTimeGraph_data();
    void realTimeGraph();
    void realTimeGraphForgetsTheSweepBefore();

private:
    ListPlotModel *filePlotOf(const QList<RecordRow> &rows);
    RealTimeT1T2Model *openRealTimeGraph();

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    // What the real-time graph is fed, as the panel's live values would feed it.
    LiveValues m_live;
};

void TestGraphReadout::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_program->panel().stopTimers();
}

void TestGraphReadout::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

ListPlotModel *TestGraphReadout::filePlotOf(const QList<RecordRow> &rows) {
    auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, QStringLiteral("K"), DegreesC));
    list->setColumn0Heading(QStringLiteral("K Type \u00B0C"));
    for (const RecordRow &row : rows)
        list->appendRow(row);
    m_program->listCommands().plot(list);
    ListPlotModel *plot = m_program->plot();
    if (plot) {
        plot->resize(Small);
        plot->Timer1().stop();
        plot->DrawPass();
    }
    return plot;
}

RealTimeT1T2Model *TestGraphReadout::openRealTimeGraph() {
    m_live = m_program->panel().live();
    m_live.TypeText = QStringLiteral("K");
    RealTimeT1T2Model *graph = ::openRealTimeGraph(*m_program, m_live);
    if (graph) {
        graph->resize(RealTimeT1T2Model::DesignSize);
        graph->Timer1().stop();
    }
    return graph;
}

void TestGraphReadout::filePlot_data() {
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<double>("lineX");
    QTest::addColumn<QStringList>("texts");

    const QStringList first{"No. 1", "2001/05/03 14:25:01", "T1 25.3 \u00B0C", "T2 24.1 \u00B0C",
                            "T1-T2 1.2 \u00B0C"};
    const QStringList second{"No. 2", "01/05/03 14:25:02", "T1 OL", "T2 -OL", "T1-T2 ----"};
    const QStringList third{"No. 3", "2001/05/03 14:25:03", "T1 -0.5 \u00B0C", "T2 0 \u00B0C",
                            "T1-T2 -0.5 \u00B0C"};
    // Three records at x = 75, 180 and 285: the pointer reads the nearest.
    QTest::newRow("on the first record") << QPointF(L, 130) << L << first;
    QTest::newRow("nearer the first") << QPointF(L + 52, 130) << L << first;
    QTest::newRow("nearer the second") << QPointF(L + 53, 130) << L + W / 2 << second;
    QTest::newRow("last record, bottom row") << QPointF(L + W, 160) << L + W << third;
    QTest::newRow("over range band above the top") << QPointF(L + 100, 106) << L + W / 2 << second;
    QTest::newRow("left of the plot") << QPointF(L - 1, 130) << 0.0 << QStringList();
    QTest::newRow("right of the plot") << QPointF(L + W + 1, 130) << 0.0 << QStringList();
    QTest::newRow("above the plot") << QPointF(L + 100, 100) << 0.0 << QStringList();
    QTest::newRow("on the time labels") << QPointF(L + 100, 175) << 0.0 << QStringList();
}

void TestGraphReadout::filePlot() {
    QFETCH(QPointF, pointer);
    QFETCH(QStringList, texts);
    ListPlotModel *plot = filePlotOf({record(1, "25.3", "24.1", "1.2"),
                                      {"2", "01/05/03 14:25:02", "OL", "-OL", "----"},
                                      record(3, "-0.5", "0", "-0.5")});
    QVERIFY(plot);
    const std::optional<Readout> readout = plot->readoutAt(pointer);
    QCOMPARE(textsOf(readout), texts);
    if (readout)
        QTEST(readout->x, "lineX");
}

void TestGraphReadout::filePlotLeavesOutChannelsSwitchedOff() {
    ListPlotModel *plot =
        filePlotOf({record(1, "25.3", "24.1", "1.2"), record(2, "25.4", "24.0", "1.4")});
    QVERIFY(plot);
    plot->setChecked(QStringLiteral("CKT2"), false);
    plot->functionOk();
    plot->Timer1().stop();
    plot->DrawPass();
    QCOMPARE(
        textsOf(plot->readoutAt({L + W, 130})),
        (QStringList{"No. 2", "2001/05/03 14:25:02", "T1 25.4 \u00B0C", "", "T1-T2 1.4 \u00B0C"}));
}

void TestGraphReadout::filePlotReadsTheZoomedSpan() {
    QList<RecordRow> rows;
    for (int i = 1; i <= 11; ++i)
        rows << record(i, QString::number(i), QString::number(-i), QString::number(2 * i));
    ListPlotModel *plot = filePlotOf(rows);
    QVERIFY(plot);
    QCOMPARE(plot->readoutAt({L + W / 2, 130})->place, QStringLiteral("No. 6"));
    // Records 3 to 5 over the whole width: the middle reads record 4.
    plot->zoomTo(L + 2 * W / 10, L + 4 * W / 10);
    QCOMPARE(plot->FromNo(), 3);
    QCOMPARE(plot->ToNo(), 5);
    QCOMPARE(textsOf(plot->readoutAt({L + W / 2, 130})),
             (QStringList{"No. 4", "2001/05/03 14:25:04", "T1 4 \u00B0C", "T2 -4 \u00B0C",
                          "T1-T2 8 \u00B0C"}));
    QCOMPARE(plot->readoutAt({L + W, 130})->place, QStringLiteral("No. 5"));
}

void TestGraphReadout::realTimeGraph_data() {
    QTest::addColumn<double>("pointerX");
    QTest::addColumn<double>("lineX");
    QTest::addColumn<QStringList>("texts");

    // Ticks at offsets 0, 1, 2, 3, one second apart from 14:25:01; nothing after the last.
    QTest::newRow("first tick") << GraphLeft << GraphLeft
                                << QStringList{"14:25:01", "", "T1 25.3 \u00B0C", "T2 24.0 \u00B0C",
                                               "T1-T2 1.3 \u00B0C"};
    QTest::newRow("nearer the second tick")
        << GraphLeft + 1.4 << GraphLeft + 1
        << QStringList{"14:25:02", "", "T1 OL", "T2 -OL", "T1-T2 1333.0 \u00B0C"};
    // "----" switches T2 off for the rest of the sweep.
    QTest::newRow("a channel off reads nothing")
        << GraphLeft + 2 << GraphLeft + 2
        << QStringList{"14:25:03", "", "T1 -190 \u00B0C", "", "T1-T2 -0.05 \u00B0C"};
    QTest::newRow("latest tick") << GraphLeft + 3.4 << GraphLeft + 3
                                 << QStringList{"14:25:04", "", "T1 -0.0 \u00B0C", "",
                                                "T1-T2 -1000.5 \u00B0C"};
    QTest::newRow("past the latest tick") << GraphLeft + 5 << 0.0 << QStringList();
    QTest::newRow("left of the plot") << GraphLeft - 1 << 0.0 << QStringList();
}

void TestGraphReadout::realTimeGraph() {
    QFETCH(double, pointerX);
    QFETCH(QStringList, texts);
    RealTimeT1T2Model *graph = openRealTimeGraph();
    QVERIFY(graph);
    LiveValues &live = m_live;
    const QStringList readings[] = {{"25.3", "24.0", "1.3"},
                                    {"OL", "-OL", "1333.0"},
                                    {"-190", "----", "-0.05"},
                                    {"-0.0", "1000.5", "-1000.5"}};
    for (const QStringList &reading : readings) {
        live.T1Text = reading[0];
        live.T2Text = reading[1];
        live.DiffText = reading[2];
        graph->PlotTick();
        m_fakes->clock.advance(1);
    }
    const std::optional<Readout> readout = graph->readoutAt({pointerX, 130});
    QCOMPARE(textsOf(readout), texts);
    if (readout)
        QTEST(readout->x, "lineX");
}

void TestGraphReadout::realTimeGraphForgetsTheSweepBefore() {
    RealTimeT1T2Model *graph = openRealTimeGraph();
    QVERIFY(graph);
    for (int i = 0; i < 181; ++i)
        graph->PlotTick(); // 180 points, then the 181st tick erases the sweep
    QVERIFY(!graph->readoutAt({GraphLeft + 10, 130}));
    QCOMPARE(graph->sweepPoints(), 0);
    graph->PlotTick();
    QVERIFY(graph->readoutAt({GraphLeft, 130}));
    QCOMPARE(graph->sweepPoints(), 1);
}

QTEST_GUILESS_MAIN(TestGraphReadout)
#include "tst_graph_readout.moc"
