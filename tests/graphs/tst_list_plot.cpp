// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/span_walk.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using Kind = FakeSurface::Kind;

const QString DegreesC = QStringLiteral("\u00B0C");
const QString DegreesF = QStringLiteral("\u00B0F");
const QSize Small(287, 211);

// The plot of a 287 × 211 client area: left 75, width 210, bottom 161, height 51, top 110.
constexpr double L = 75;
constexpr double W = 210;
constexpr double B = 161;
constexpr double T = 110;

QList<RecordRow> records(int count) {
    QList<RecordRow> rows;
    for (int i = 1; i <= count; ++i)
        rows << record(i, QString::number(20 + i % 7), QString::number(10 - i % 5),
                       QString::number(10 + i % 7 + i % 5));
    return rows;
}

QList<double> markXs(const FakeSurface &surface) {
    QList<double> xs;
    for (const FakeSurface::Call &line : surface.linesOf(GraphColours::Grid)) {
        if (line.from.x() == line.to.x() && line.style == Surface::LineStyle::Dotted)
            xs << line.from.x();
    }
    return xs;
}

} // namespace

// The file plot on the fakes: opened by "Plot" of FileList, reading its rows, drawing its
// passes into a fake surface.
class TestListPlot : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void plotTakesUnitAndTypeFromTheHeading_data();
    void plotTakesUnitAndTypeFromTheHeading();
    void plotOpensOnceAndNotForAnEmptyList();
    void frameThenOnePassASecondLater();
    void pixelsOfAThreeRecordFile();
    void oneRecordDrawsNoSegment();
    void progressMarks_data();
    void progressMarks();
    void progressMarkRule_data();
    void progressMarkRule();
    void captionCountsAndIsRestored();
    void newFrameDuringAPassGetsItsOwnPass_data();
    void newFrameDuringAPassGetsItsOwnPass();
    void plotClosesWithTheFileList_data();
    void plotClosesWithTheFileList();
    void rangeOk_data();
    void rangeOk();
    void keyFiltersAndTheEnterChain();
    void rangeCancelOnlyHides();
    void functionOkRedrawsWithoutTheChannel();
    void noValueSwitchesTheChannelOff();
    void printDuringAPassShowsEveryPointSoFar();
    void printCancelledOrFailedBringsTheToolbarBack();

private:
    ListWindowModel *openFileList(const QList<RecordRow> &rows,
                                  const QString &heading = QStringLiteral("K Type \u00B0C"));
    ListPlotModel *pressPlot(ListWindowModel *list);
    ListPlotModel *plotOf(const QList<RecordRow> &rows, const QSize &size = Small);
    FakeSurface &surface() { return static_cast<FakeSurface &>(m_plot->surface()); }

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    ListWindowModel *m_list = nullptr;
    ListPlotModel *m_plot = nullptr;
};

void TestListPlot::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
}

void TestListPlot::cleanup() {
    m_plot = nullptr;
    m_list = nullptr;
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

ListWindowModel *TestListPlot::openFileList(const QList<RecordRow> &rows, const QString &heading) {
    auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, QStringLiteral("J"), DegreesF));
    list->setColumn0Heading(heading);
    for (const RecordRow &row : rows)
        list->appendRow(row);
    return list;
}

ListPlotModel *TestListPlot::pressPlot(ListWindowModel *list) {
    list->press(ListCommand::Plot);
    return m_program->plot();
}

ListPlotModel *TestListPlot::plotOf(const QList<RecordRow> &rows, const QSize &size) {
    m_list = openFileList(rows);
    m_plot = pressPlot(m_list);
    if (m_plot)
        m_plot->resize(size);
    return m_plot;
}

void TestListPlot::plotTakesUnitAndTypeFromTheHeading_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("maxLimit");
    QTest::addColumn<int>("minLimit");
    QTest::newRow("K Type °C") << "K Type \u00B0C" << DegreesC << "K" << 1333 << -190;
    QTest::newRow("J Type °C") << "J Type \u00B0C" << DegreesC << "J" << 760 << -190;
    QTest::newRow("J Type °F") << "J Type \u00B0F" << DegreesF << "J" << 1400 << -310;
    QTest::newRow("hand-edited heading") << "Readings" << DegreesF << "K" << 2431 << -310;
}

void TestListPlot::plotTakesUnitAndTypeFromTheHeading() {
    QFETCH(QString, heading);
    m_list = openFileList(records(10), heading);
    m_plot = pressPlot(m_list);
    QVERIFY(m_plot);
    QTEST(m_plot->PlotUnit(), "unit");
    QTEST(m_plot->PlotType(), "type");
    QTEST(m_plot->state().MaxLimit, "maxLimit");
    QTEST(m_plot->state().MinLimit, "minLimit");
    QCOMPARE(m_plot->state().YMax, float(m_plot->state().MaxLimit));
    QCOMPARE(m_plot->state().YMin, float(m_plot->state().MinLimit));
    QCOMPARE(m_plot->FromNo(), 1);
    QCOMPARE(m_plot->ToNo(), 10);
    QCOMPARE(m_plot->RecordSpan(), 9);
    m_plot->resize(Small);
    QCOMPARE(surface().sinceClear(Kind::Text).last().text, m_plot->PlotUnit());
}

void TestListPlot::plotOpensOnceAndNotForAnEmptyList() {
    ListWindowModel *empty = openFileList({});
    QVERIFY(!pressPlot(empty));

    QVERIFY(plotOf(records(5)));
    QVERIFY(m_program->PlotOpen());
    QCOMPARE(m_plot->caption(), QStringLiteral("Plot"));
    QStringList tips;
    for (const ToolButton &button : m_plot->toolbar())
        tips << button.tooltip;
    QCOMPARE(tips, (QStringList{"Plot Function", "Plot Range", "Print", "Save Image"}));
    m_plot->run(GraphCommand::Range);
    QCOMPARE(pressPlot(m_list), m_plot); // the open plot stays as it is
    QVERIFY(m_plot->rangePanelVisible());
}

void TestListPlot::frameThenOnePassASecondLater() {
    QVERIFY(plotOf(records(3)));
    const GraphState &s = m_plot->state();
    QCOMPARE(s.PlotLeft, 75);
    QCOMPARE(s.PlotWidth, 210.f);
    QCOMPARE(s.PlotHeight, 51.f);
    QCOMPARE(s.PlotBottom, 161.f);
    QCOMPARE(s.XStep, 105.f);
    QCOMPARE(s.XPos, -105.f);
    QVERIFY(m_plot->Timer1().isActive());
    QVERIFY(m_plot->Timer1().isSingleShot());
    QCOMPARE(m_plot->Timer1().interval(), 1000);
    // The frame alone: no curve yet.
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 0);

    // The panel's timers would poll the silent fake meter without end meanwhile.
    m_program->panel().stopTimers();
    QTRY_VERIFY_WITH_TIMEOUT(surface().linesOf(GraphColours::T1).size() == 2, 3000);
    QVERIFY(!m_plot->Timer1().isActive());
    QVERIFY(!m_plot->passRunning());
}

void TestListPlot::pixelsOfAThreeRecordFile() {
    QVERIFY(plotOf({record(1, "-190", "OL", "1333"), record(2, "1333", "-OL", "-190"),
                    record(3, "OL", "-190", "-OL")}));
    m_plot->DrawPass();
    using S = FakeSurface;
    // Records at the axis, the middle and the right edge; YMax on the top, OL 5 above it,
    // YMin on the bottom, -OL 3 below it.
    QCOMPARE(surface().linesOf(GraphColours::T1),
             (QList<FakeSurface::Call>{S::line({L, B}, {L + 105, T}, GraphColours::T1),
                                       S::line({L + 105, T}, {L + W, T - 5}, GraphColours::T1)}));
    QCOMPARE(surface().linesOf(GraphColours::T2),
             (QList<FakeSurface::Call>{S::line({L, T - 5}, {L + 105, B + 3}, GraphColours::T2),
                                       S::line({L + 105, B + 3}, {L + W, B}, GraphColours::T2)}));
    QCOMPARE(surface().linesOf(GraphColours::Diff),
             (QList<FakeSurface::Call>{S::line({L, T}, {L + 105, B}, GraphColours::Diff),
                                       S::line({L + 105, B}, {L + W, B + 3}, GraphColours::Diff)}));

    // N = 2: every record is a progress mark, with its time under it.
    QCOMPARE(markXs(surface()), (QList<double>{L, L + 105, L + W}));
    const QList<FakeSurface::Call> grid = surface().linesOf(GraphColours::Grid);
    QCOMPARE(grid.last().to.y(), T - 10);
    QStringList labels;
    for (const FakeSurface::Call &text : surface().sinceClear(Kind::Text)) {
        if (text.from.y() == B + 10) {
            labels << text.text;
            QCOMPARE(text.colour, GraphColours::Black);
        }
    }
    QCOMPARE(labels, (QStringList{"14:25:01", "14:25:02", "14:25:03"}));
    // The middle mark: its time on a white ground, centred under it.
    const double w = 8 * FakeSurface::CharWidth;
    QVERIFY(surface()
                .sinceClear(Kind::Fill)
                .contains(S::fill({L + 105 - w / 2, B + 10}, {L + 105 + w / 2, B + 20},
                                  GraphColours::White)));
    QVERIFY(surface()
                .sinceClear(Kind::Text)
                .contains(S::text({L + 105 - 5 - w / 2, B + 10}, "14:25:02", GraphColours::Black)));
    QCOMPARE(m_plot->state().PrevX, float(L + W));
}

void TestListPlot::oneRecordDrawsNoSegment() {
    QVERIFY(plotOf({record(1, "25", "24", "1")}));
    QCOMPARE(m_plot->FromNo(), 1);
    QCOMPARE(m_plot->ToNo(), 1);
    QCOMPARE(m_plot->state().XStep, 0.f);
    QCOMPARE(surface().sinceClear(Kind::Text).size(), 9 + 4); // the frame is there
    m_plot->DrawPass();
    for (const Rgb colour : {GraphColours::T1, GraphColours::T2, GraphColours::Diff})
        QCOMPARE(surface().linesOf(colour).size(), 0);
    QCOMPARE(markXs(surface()), QList<double>{L});
    QCOMPARE(m_plot->caption(), QStringLiteral("Plot"));
    // No record number can be entered that gives a span.
    m_plot->run(GraphCommand::Range);
    m_plot->setRangeText(QStringLiteral("TxtTo"), QStringLiteral("1"));
    m_plot->rangeOk();
    QCOMPARE(m_fakes->dialogs.messages.last().text, QStringLiteral("1 <= No.s <= 1, try again!"));
}

void TestListPlot::progressMarks_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<QList<int>>("marked"); // k of the marked records
    QTest::newRow("10 records, N = 9") << 10 << QList<int>{0, 2, 4, 7, 9};
    QTest::newRow("11 records, N = 10") << 11 << QList<int>{0, 2, 5, 8, 10};
}

void TestListPlot::progressMarks() {
    QFETCH(int, records);
    QFETCH(QList<int>, marked);
    QVERIFY(plotOf(::records(records)));
    m_plot->DrawPass();
    QList<double> expected;
    QStringList labels;
    for (int k : marked) {
        expected << L + k * W / (records - 1);
        labels << m_list->records().cell(1, k).right(8);
    }
    QCOMPARE(markXs(surface()), expected);
    QStringList drawn;
    for (const FakeSurface::Call &text : surface().sinceClear(Kind::Text)) {
        if (text.from.y() == B + 10)
            drawn << text.text;
    }
    QCOMPARE(drawn, labels);
}

void TestListPlot::progressMarkRule_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<int>>("marked");
    QTest::newRow("N = 0") << 0 << QList<int>{0};
    QTest::newRow("N = 1") << 1 << QList<int>{0, 1};
    QTest::newRow("N = 3") << 3 << QList<int>{0, 1, 3};
    QTest::newRow("N = 8, exact quarters") << 8 << QList<int>{0, 2, 4, 6, 8};
    QTest::newRow("N = 9") << 9 << QList<int>{0, 2, 4, 7, 9};
    QTest::newRow("N = 10") << 10 << QList<int>{0, 2, 5, 8, 10};
}

void TestListPlot::progressMarkRule() {
    QFETCH(int, n);
    QList<int> marked;
    for (int k = 0; k <= n; ++k) {
        if (SpanWalk::isProgressMark(k, n))
            marked << k;
    }
    QTEST(marked, "marked");
}

void TestListPlot::captionCountsAndIsRestored() {
    QVERIFY(plotOf(records(4)));
    QStringList captions;
    m_fakes->pump.onYield = [&](int) { captions << m_plot->caption(); };
    m_plot->DrawPass();
    QCOMPARE(captions, (QStringList{"1 Records Completed", "2 Records Completed",
                                    "3 Records Completed", "4 Records Completed"}));
    QCOMPARE(m_plot->caption(), QStringLiteral("Plot"));
    QVERIFY(!m_plot->Timer1().isActive());
}

void TestListPlot::newFrameDuringAPassGetsItsOwnPass_data() {
    QTest::addColumn<QString>("what");
    QTest::newRow("resize") << "resize";
    QTest::newRow("range confirmed") << "range";
    QTest::newRow("function confirmed") << "function";
}

void TestListPlot::newFrameDuringAPassGetsItsOwnPass() {
    QFETCH(QString, what);
    QVERIFY(plotOf(records(20)));
    int clearsDuringPass = -1;
    m_fakes->pump.onYield = [&](int yields) {
        if (yields != 5)
            return;
        if (what == QLatin1String("resize")) {
            m_plot->resize(QSize(400, 300));
        } else if (what == QLatin1String("range")) {
            m_plot->run(GraphCommand::Range);
            m_plot->rangeOk(); // the values as shown
        } else {
            m_plot->run(GraphCommand::Function);
            m_plot->functionOk();
        }
        clearsDuringPass = surface().count(Kind::Clear);
    };
    m_plot->DrawPass();
    m_fakes->pump.onYield = nullptr;
    // The old pass drew nothing into the new frame and gave the caption back.
    QCOMPARE(surface().count(Kind::Clear), clearsDuringPass);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 0);
    QCOMPARE(m_plot->caption(), QStringLiteral("Plot"));
    QVERIFY(!m_plot->passRunning());
    // The new frame's pass is pending and complete when it runs.
    QVERIFY(m_plot->Timer1().isActive());
    m_plot->DrawPass();
    const QList<FakeSurface::Call> blue = surface().linesOf(GraphColours::T1);
    QCOMPARE(blue.size(), 19);
    QCOMPARE(blue.first().from.x(), L);
    QCOMPARE(blue.last().to.x(), L + m_plot->state().PlotWidth); // the last on the edge
}

void TestListPlot::plotClosesWithTheFileList_data() {
    QTest::addColumn<bool>("duringPass");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("list closed") << false << false;
    QTest::newRow("list closed during a pass") << true << false;
    QTest::newRow("another file opened") << false << true;
    QTest::newRow("another file opened during a pass") << true << true;
}

void TestListPlot::plotClosesWithTheFileList() {
    QFETCH(bool, duringPass);
    QFETCH(bool, replaced);
    QVERIFY(plotOf(records(30)));
    const QPointer<ListPlotModel> plot(m_plot);
    const auto closeList = [&] {
        if (replaced)
            openFileList(records(2)); // "Open" replaces FileList
        else
            m_list->requestClose();
    };
    if (duringPass) {
        int lastYield = 0;
        m_fakes->pump.onYield = [&](int yields) {
            lastYield = yields;
            if (yields == 3)
                closeList();
        };
        m_plot->DrawPass();
        QCOMPARE(lastYield, 3); // no record read after the list went
    } else {
        closeList();
    }
    QVERIFY(!m_program->PlotOpen());
    QVERIFY(!plot->isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!plot);
}

void TestListPlot::rangeOk_data() {
    QTest::addColumn<QStringList>("entries"); // Max, Min, From, To
    QTest::addColumn<QString>("message");
    QTest::addColumn<float>("yMax");
    QTest::addColumn<float>("yMin");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    const QString values = QStringLiteral("-190 <= Value <= 1333, try again!");
    const QString numbers = QStringLiteral("1 <= No.s <= 10, try again!");
    QTest::newRow("accepted") << QStringList{"100", "-50", "2", "5"} << "" << 100.f << -50.f << 2
                              << 5;
    QTest::newRow("To = n") << QStringList{"1333", "-190", "1", "10"} << "" << 1333.f << -190.f << 1
                            << 10;
    QTest::newRow("Max 1400") << QStringList{"1400", "-190", "1", "10"} << values << 1333.f
                              << -190.f << 1 << 10;
    QTest::newRow("Max = Min") << QStringList{"5", "5", "1", "10"} << values << 1333.f << -190.f
                               << 1 << 10;
    QTest::newRow("pasted 1e99") << QStringList{"1e99", "0", "1", "10"} << values << 1333.f
                                 << -190.f << 1 << 10;
    // A refused span keeps the value range.
    QTest::newRow("To = n + 1") << QStringList{"100", "0", "1", "11"} << numbers << 100.f << 0.f
                                << 1 << 10;
    QTest::newRow("From = To") << QStringList{"100", "0", "4", "4"} << numbers << 100.f << 0.f << 1
                               << 10;
    QTest::newRow("From 0") << QStringList{"100", "0", "0", "5"} << numbers << 100.f << 0.f << 1
                            << 10;
    QTest::newRow("From pasted with a point")
        << QStringList{"100", "0", "1.5", "5"} << numbers << 100.f << 0.f << 1 << 10;
}

void TestListPlot::rangeOk() {
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    QVERIFY(plotOf(records(10)));
    m_plot->DrawPass();
    m_plot->run(GraphCommand::Range);
    QCOMPARE(m_plot->rangeText(QStringLiteral("TxtFrom")), QStringLiteral("1"));
    QCOMPARE(m_plot->rangeText(QStringLiteral("TxtTo")), QStringLiteral("10"));
    QCOMPARE(m_plot->rangeText(QStringLiteral("TxtMax")), QStringLiteral("1333"));
    QCOMPARE(m_plot->rangeText(QStringLiteral("TxtMin")), QStringLiteral("-190"));
    const QStringList boxes{"TxtMax", "TxtMin", "TxtFrom", "TxtTo"};
    for (int i = 0; i < boxes.size(); ++i)
        m_plot->setRangeText(boxes[i], entries[i]);
    const int clears = surface().count(Kind::Clear);
    m_plot->rangeOk();

    QTEST(m_plot->state().YMax, "yMax");
    QTEST(m_plot->state().YMin, "yMin");
    QTEST(m_plot->FromNo(), "from");
    QTEST(m_plot->ToNo(), "to");
    if (message.isEmpty()) {
        QVERIFY(m_fakes->dialogs.messages.isEmpty());
        QVERIFY(!m_plot->rangePanelVisible());
        QCOMPARE(surface().count(Kind::Clear), clears + 1);
        QCOMPARE(m_plot->state().XStep, float(W / (m_plot->ToNo() - m_plot->FromNo())));
        QVERIFY(m_plot->Timer1().isActive());
    } else {
        QCOMPARE(m_fakes->dialogs.messages.size(), 1);
        QCOMPARE(m_fakes->dialogs.messages[0].text, message);
        QCOMPARE(m_fakes->dialogs.messages[0].icon, Dialogs::Icon::Critical);
        QVERIFY(m_plot->rangePanelVisible());
        QCOMPARE(surface().count(Kind::Clear), clears);
        QVERIFY(!m_plot->Timer1().isActive());
    }
}

void TestListPlot::keyFiltersAndTheEnterChain() {
    QVERIFY(plotOf(records(10)));
    m_plot->run(GraphCommand::Range);
    for (const char *box : {"TxtMax", "TxtMin", "TxtFrom", "TxtTo"}) {
        const QString name = QLatin1String(box);
        const bool decimal = name == QLatin1String("TxtMax") || name == QLatin1String("TxtMin");
        QVERIFY(m_plot->keyTyped(name, QLatin1Char('3')));
        QVERIFY(m_plot->keyTyped(name, QChar(8)));
        QVERIFY(!m_plot->keyTyped(name, QLatin1Char('x')));
        QCOMPARE(m_plot->keyTyped(name, QLatin1Char('-')), decimal);
        QCOMPARE(m_plot->keyTyped(name, QLatin1Char('.')), decimal);
    }
    QSignalSpy focus(m_plot, &GraphWindowModel::focusRequested);
    m_plot->setRangeText(QStringLiteral("TxtFrom"), QStringLiteral("3"));
    for (const char *box : {"TxtMax", "TxtMin", "TxtFrom"})
        QVERIFY(!m_plot->keyTyped(QLatin1String(box), QChar(13)));
    QCOMPARE(focus.size(), 3);
    QCOMPARE(focus[0][0].toString(), QStringLiteral("TxtMin"));
    QCOMPARE(focus[1][0].toString(), QStringLiteral("TxtFrom"));
    QCOMPARE(focus[2][0].toString(), QStringLiteral("TxtTo"));
    QVERIFY(m_plot->rangePanelVisible());
    QVERIFY(!m_plot->keyTyped(QStringLiteral("TxtTo"), QChar(13))); // confirms
    QVERIFY(!m_plot->rangePanelVisible());
    QCOMPARE(m_plot->FromNo(), 3);
}

void TestListPlot::rangeCancelOnlyHides() {
    QVERIFY(plotOf(records(10)));
    m_plot->DrawPass();
    const int calls = surface().calls.size();
    m_plot->run(GraphCommand::Range);
    m_plot->rangeCancel();
    QVERIFY(!m_plot->rangePanelVisible());
    // No pass from past the right edge is started.
    QVERIFY(!m_plot->Timer1().isActive());
    QCOMPARE(surface().calls.size(), calls);
}

void TestListPlot::functionOkRedrawsWithoutTheChannel() {
    QVERIFY(plotOf(records(10)));
    m_plot->DrawPass();
    m_plot->run(GraphCommand::Function);
    QVERIFY(m_plot->isChecked(QStringLiteral("CKT2")));
    m_plot->setChecked(QStringLiteral("CKT2"), false);
    m_plot->functionCancel();
    QCOMPARE(m_plot->state().ShowT2, 1);
    QVERIFY(!m_plot->Timer1().isActive());

    m_plot->run(GraphCommand::Function);
    m_plot->setChecked(QStringLiteral("CKT2"), false);
    const int clears = surface().count(Kind::Clear);
    m_plot->functionOk();
    QVERIFY(!m_plot->functionPanelVisible());
    QCOMPARE(surface().count(Kind::Clear), clears + 1);
    QVERIFY(m_plot->Timer1().isActive());
    m_plot->DrawPass();
    QCOMPARE(surface().linesOf(GraphColours::T2).size(), 0);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 9);
}

void TestListPlot::noValueSwitchesTheChannelOff() {
    QList<RecordRow> rows = records(6);
    rows[0][2] = QStringLiteral("----");
    rows[3][4] = QStringLiteral("----");
    QVERIFY(plotOf(rows));
    m_plot->DrawPass();
    QCOMPARE(m_plot->state().ShowT1, 0);
    QCOMPARE(m_plot->state().ShowDiff, 0);
    QCOMPARE(surface().linesOf(GraphColours::T1).size(), 0);
    QCOMPARE(surface().linesOf(GraphColours::Diff).size(), 2); // records 1 to 3
    QCOMPARE(surface().linesOf(GraphColours::T2).size(), 5);
    m_plot->run(GraphCommand::Function);
    QVERIFY(!m_plot->isChecked(QStringLiteral("CKT1")));
    QVERIFY(m_plot->isChecked(QStringLiteral("CKT2")));
    QVERIFY(!m_plot->isChecked(QStringLiteral("CKT1T2")));
}

void TestListPlot::printDuringAPassShowsEveryPointSoFar() {
    // 1000 records over 210 columns: about five points per column.
    QVERIFY(plotOf(records(1000)));
    // The latest point lies in a column with others before it: the lines drawn when the
    // picture is printed reach it.
    bool latestPointDrawn = false;
    bool toolbarWhilePrinting = true;
    m_fakes->imagePrintJob.onPrint = [&] {
        toolbarWhilePrinting = m_plot->toolbarVisible();
        const double column = std::floor(m_plot->state().PrevX);
        const double y = m_plot->state().PrevY1;
        for (const FakeSurface::Call &line : surface().linesOf(GraphColours::T1)) {
            const double top = std::min(line.from.y(), line.to.y());
            const double bottom = std::max(line.from.y(), line.to.y());
            latestPointDrawn = latestPointDrawn ||
                               (std::floor(line.to.x()) == column &&
                                std::floor(line.from.x()) == column && top <= y && y <= bottom);
        }
    };
    m_fakes->pump.onYield = [&](int yields) {
        if (yields == 10)
            m_plot->press(GraphCommand::Print);
    };
    m_plot->DrawPass();
    QCOMPARE(m_fakes->imagePrintJob.dialogs, 1);
    QCOMPARE(m_fakes->imagePrintJob.printed, 1);
    QVERIFY(!toolbarWhilePrinting);
    QVERIFY(latestPointDrawn);
    QVERIFY(m_plot->toolbarVisible());
    // The pass went on to the end.
    QCOMPARE(m_plot->state().PrevX, float(L + W));
    QCOMPARE(m_plot->caption(), QStringLiteral("Plot"));
}

void TestListPlot::printCancelledOrFailedBringsTheToolbarBack() {
    QVERIFY(plotOf(records(10)));
    m_plot->DrawPass();
    FakeImagePrinter::Job &job = m_fakes->imagePrintJob;
    job.cancelDialog = true;
    m_plot->run(GraphCommand::Range);
    m_plot->press(GraphCommand::Print);
    QVERIFY(!m_plot->rangePanelVisible());
    QCOMPARE(job.dialogs, 1);
    QCOMPARE(job.printed, 0);
    QVERIFY(m_plot->toolbarVisible());

    job.cancelDialog = false;
    job.failPrinting = true;
    m_plot->press(GraphCommand::Print);
    QCOMPARE(job.dialogs, 2);
    QCOMPARE(job.printed, 0);
    QVERIFY(m_plot->toolbarVisible());
    QVERIFY(m_program->panel().timers().running());

    // The plot closed while the chooser was open: nothing is printed.
    job.failPrinting = false;
    job.onDialog = [&] { m_list->requestClose(); };
    m_plot->press(GraphCommand::Print);
    QCOMPARE(job.printed, 0);
}

QTEST_GUILESS_MAIN(TestListPlot)
#include "tst_list_plot.moc"
