// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/record_pyramid.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/program.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

using Kind = FakeSurface::Kind;

const QSize Small(287, 211);
// The plot of a 287 × 211 client area: left 75, width 210.
constexpr double L = 75;
constexpr double W = 210;

QList<RecordRow> steps(int count) {
    QList<RecordRow> rows;
    for (int i = 1; i <= count; ++i)
        rows << record(i, QString::number(i), QString::number(-i), QString::number(2 * i));
    return rows;
}

// A long, ragged run: noise, readings over and under range, and T2 switched off late.
QList<RecordRow> ragged(int count) {
    QRandomGenerator random(7);
    QList<RecordRow> rows;
    const auto reading = [&](int i) {
        const quint32 r = random.bounded(100u);
        if (r == 0)
            return QStringLiteral("OL");
        if (r == 1)
            return QStringLiteral("-OL");
        return QString::number(100 * std::sin(i / 300.0) + random.bounded(40) - 20.0, 'f', 1);
    };
    for (int i = 1; i <= count; ++i) {
        const QString t1 = reading(i);
        const QString t2 = i > count * 4 / 5 ? QStringLiteral("----") : reading(i);
        rows << record(i, t1, t2, reading(i));
    }
    return rows;
}

} // namespace

// Dragging a span across the file plot: the records it covers become From and To through
// Range OK's checks, and the span is drawn at once, as a complete pass would draw it.
class TestListPlotZoom : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dragSetsTheSpanThroughRangeOk_data();
    void dragSetsTheSpanThroughRangeOk();
    void zoomKeepsTheValueRangeAndZoomsOutToTheWholeFile();
    void zoomDrawsWhatACompletePassDraws_data();
    void zoomDrawsWhatACompletePassDraws();
    void pyramidExtentsMatchTheRecords();

private:
    ListPlotModel *plotOf(const QList<RecordRow> &rows);
    FakeSurface &surface(ListPlotModel *plot) {
        return static_cast<FakeSurface &>(plot->surface());
    }

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    ListWindowModel *m_list = nullptr;
};

void TestListPlotZoom::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_program->panel().stopTimers();
}

void TestListPlotZoom::cleanup() {
    m_list = nullptr;
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

ListPlotModel *TestListPlotZoom::plotOf(const QList<RecordRow> &rows) {
    if (!m_list) {
        m_list = m_program->windows().open(std::make_unique<ListWindowModel>(
            ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
        m_list->setColumn0Heading(QStringLiteral("K Type \u00B0C"));
        for (const RecordRow &row : rows)
            m_list->appendRow(row);
    }
    m_program->listCommands().plot(m_list);
    ListPlotModel *plot = m_program->plot();
    if (plot) {
        plot->resize(Small);
        plot->Timer1().stop();
    }
    return plot;
}

void TestListPlotZoom::dragSetsTheSpanThroughRangeOk_data() {
    QTest::addColumn<double>("fromX");
    QTest::addColumn<double>("toX");
    QTest::addColumn<int>("from"); // 0: refused
    QTest::addColumn<int>("to");

    // Eleven records, 21 pixels apart: the nearest record to each end of the drag.
    QTest::newRow("records 3 to 5") << L + 42 << L + 84 << 3 << 5;
    QTest::newRow("dragged leftwards") << L + 86 << L + 40 << 3 << 5;
    QTest::newRow("past both edges") << L - 30 << L + W + 30 << 1 << 11;
    QTest::newRow("two neighbours") << L + 42 << L + 63 << 3 << 4;
    QTest::newRow("within one record") << L + 40 << L + 50 << 0 << 0;
    QTest::newRow("last record alone") << L + W - 5 << L + W << 0 << 0;
}

void TestListPlotZoom::dragSetsTheSpanThroughRangeOk() {
    QFETCH(double, fromX);
    QFETCH(double, toX);
    QFETCH(int, from);
    QFETCH(int, to);
    ListPlotModel *plot = plotOf(steps(11));
    QVERIFY(plot);
    plot->DrawPass();
    const int clears = surface(plot).count(Kind::Clear);
    plot->zoomTo(fromX, toX);
    if (from == 0) {
        QCOMPARE(m_fakes->dialogs.messages.size(), 1);
        QCOMPARE(m_fakes->dialogs.messages[0].text, QStringLiteral("1 <= No.s <= 11, try again!"));
        QCOMPARE(plot->FromNo(), 1);
        QCOMPARE(plot->ToNo(), 11);
        QCOMPARE(surface(plot).count(Kind::Clear), clears); // the picture stays
        return;
    }
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QCOMPARE(plot->FromNo(), from);
    QCOMPARE(plot->ToNo(), to);
    QCOMPARE(plot->rangeText(QStringLiteral("TxtFrom")), QString::number(from));
    QCOMPARE(plot->rangeText(QStringLiteral("TxtTo")), QString::number(to));
    // Drawn now, to the right edge, with no pass to follow.
    QVERIFY(!plot->Timer1().isActive());
    QCOMPARE(surface(plot).linesOf(GraphColours::T1).last().to.x(), L + W);
    QCOMPARE(plot->state().PrevX, float(L + W));
}

void TestListPlotZoom::zoomKeepsTheValueRangeAndZoomsOutToTheWholeFile() {
    ListPlotModel *plot = plotOf(steps(11));
    QVERIFY(plot);
    plot->run(GraphCommand::Range);
    plot->setRangeText(QStringLiteral("TxtMax"), QStringLiteral("40"));
    plot->setRangeText(QStringLiteral("TxtMin"), QStringLiteral("-5.5"));
    plot->rangeOk();
    plot->zoomTo(L + 42, L + 84);
    QCOMPARE(plot->state().YMax, 40.f);
    QCOMPARE(plot->state().YMin, -5.5f);
    // A second drag zooms within the span shown: records 3 to 5, 105 pixels apart.
    plot->zoomTo(L + 100, L + W);
    QCOMPARE(plot->FromNo(), 4);
    QCOMPARE(plot->ToNo(), 5);

    plot->zoomOut();
    QCOMPARE(plot->FromNo(), 1);
    QCOMPARE(plot->ToNo(), 11);
    QCOMPARE(plot->state().YMax, 40.f);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestListPlotZoom::zoomDrawsWhatACompletePassDraws_data() {
    QTest::addColumn<double>("fromX");
    QTest::addColumn<double>("toX");
    QTest::addColumn<bool>("passFirst"); // the pyramid from the first pass, or at the zoom

    QTest::newRow("whole file, pyramid at the zoom") << L << L + W << false;
    QTest::newRow("whole file, pyramid from the pass") << L << L + W << true;
    QTest::newRow("middle span") << L + 33.3 << L + 151.7 << true;
    QTest::newRow("span across T2 switched off") << L + 120 << L + 200 << false;
    QTest::newRow("narrow span, fewer records than pixels") << L + 100 << L + 101.5 << true;
}

void TestListPlotZoom::zoomDrawsWhatACompletePassDraws() {
    QFETCH(double, fromX);
    QFETCH(double, toX);
    QFETCH(bool, passFirst);
    ListPlotModel *plot = plotOf(ragged(20000));
    QVERIFY(plot);
    if (passFirst) {
        plot->DrawPass();
        QVERIFY(plot->pyramidBuilt());
    }
    plot->zoomTo(fromX, toX);
    QVERIFY(plot->pyramidBuilt());
    const QList<FakeSurface::Call> zoomed = surface(plot).picture();
    const int from = plot->FromNo();
    const int to = plot->ToNo();
    QVERIFY(to > from);
    QVERIFY(zoomed.size() > 300);

    // The same span in a fresh plot with the same history, by Range OK and a complete
    // pass (a pass over the whole file switches T2 off at its "----" for later frames).
    plot->requestClose();
    plot = plotOf({});
    QVERIFY(plot);
    if (passFirst)
        plot->DrawPass();
    plot->run(GraphCommand::Range);
    plot->setRangeText(QStringLiteral("TxtFrom"), QString::number(from));
    plot->setRangeText(QStringLiteral("TxtTo"), QString::number(to));
    plot->rangeOk();
    plot->Timer1().stop();
    plot->DrawPass();
    const QList<FakeSurface::Call> passed = surface(plot).picture();
    QCOMPARE(zoomed.size(), passed.size());
    QCOMPARE(zoomed, passed);
}

void TestListPlotZoom::pyramidExtentsMatchTheRecords() {
    QRandomGenerator random(11);
    std::vector<RecordPyramid::Levels> records;
    RecordPyramid pyramid;
    for (int i = 0; i < 1000; ++i) {
        RecordPyramid::Levels levels;
        for (double &level : levels) {
            const quint32 r = random.bounded(50u);
            level = r == 0   ? std::numeric_limits<double>::infinity()
                    : r == 1 ? -std::numeric_limits<double>::infinity()
                    : r == 2 ? std::nan("")
                             : random.bounded(2000) / 10.0 - 100;
        }
        records.push_back(levels);
        pyramid.append(levels);
    }
    QCOMPARE(pyramid.records(), 1000);
    int leafReads = 0;
    for (int first = 0; first < 1000; first += 37) {
        for (int last = first; last <= 1000; last += 29) {
            for (int channel = 0; channel < 3; ++channel) {
                RecordPyramid::Extent expected;
                for (int r = first; r < last; ++r)
                    expected.add(records[size_t(r)][size_t(channel)]);
                int reads = 0;
                const RecordPyramid::Extent got = pyramid.extent(channel, first, last, [&](int r) {
                    ++reads;
                    return records[size_t(r)][size_t(channel)];
                });
                QCOMPARE(got.isEmpty(), expected.isEmpty());
                if (!expected.isEmpty()) {
                    QCOMPARE(got.low, expected.low);
                    QCOMPARE(got.high, expected.high);
                }
                // Only the records of blocks the span covers in part are read one by one.
                QVERIFY2(reads < 2 * RecordPyramid::LeafRecords,
                         qPrintable(QStringLiteral("%1 records read").arg(reads)));
                leafReads += reads;
            }
            for (int channel = 0; channel < 3; ++channel) {
                int off = -1;
                for (int r = first; r < 1000 && off < 0; ++r) {
                    if (std::isnan(records[size_t(r)][size_t(channel)]))
                        off = r;
                }
                QCOMPARE(pyramid.firstOff(channel, first), off);
            }
        }
    }
    QVERIFY(leafReads > 0);
}

QTEST_GUILESS_MAIN(TestListPlotZoom)
#include "tst_list_plot_zoom.moc"
