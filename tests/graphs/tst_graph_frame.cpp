// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_surface.h"
#include "graphs/graph_frame.h"
#include "graphs/graph_state.h"
#include "graphs/plot_geometry.h"

#include <QLocale>
#include <QTest>

#include <clocale>

namespace {

using Kind = FakeSurface::Kind;

GraphState stateFor(const QSize &client, int margin, float yMin, float yMax) {
    const PlotGeometry geometry = PlotGeometry::of(client, margin);
    GraphState state;
    state.PlotLeft = geometry.PlotLeft;
    state.PlotWidth = geometry.PlotWidth;
    state.PlotHeight = geometry.PlotHeight;
    state.PlotBottom = geometry.PlotBottom;
    state.YMin = yMin;
    state.YMax = yMax;
    return state;
}

QStringList texts(const QList<FakeSurface::Call> &calls) {
    QStringList found;
    for (const FakeSurface::Call &call : calls)
        found << call.text;
    return found;
}

} // namespace

// The plot geometry, the frame both graphs draw and its value labels.
class TestGraphFrame : public QObject {
    Q_OBJECT

private slots:
    void geometry_data();
    void geometry();
    void axisLabels_data();
    void axisLabels();
    void labelTexts_data();
    void labelTexts();
    void labelsKeepThePointInACommaLocale();
    void frameOfTheRealTimeGraph();
    void frameOfTheFilePlotHasGridLines();
};

void TestGraphFrame::geometry_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("margin");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("bottom");
    const int realTime = PlotGeometry::RealTimeMargin;
    const int filePlot = PlotGeometry::FilePlotMargin;
    QTest::newRow("real-time design size") << QSize(287, 211) << realTime << 180.f << 51.f << 161.f;
    QTest::newRow("file plot, same size") << QSize(287, 211) << filePlot << 210.f << 51.f << 161.f;
    QTest::newRow("width 500") << QSize(500, 400) << realTime << 420.f << 240.f << 350.f;
    QTest::newRow("width 110: one step") << QSize(110, 211) << realTime << 30.f << 51.f << 161.f;
    QTest::newRow("width 109: none") << QSize(109, 211) << realTime << 0.f << 51.f << 161.f;
    QTest::newRow("file plot width 105") << QSize(105, 211) << filePlot << 30.f << 51.f << 161.f;
    QTest::newRow("file plot width 104") << QSize(104, 211) << filePlot << 0.f << 51.f << 161.f;
    QTest::newRow("client 0 x 0") << QSize(0, 0) << realTime << -60.f << -160.f << -50.f;
}

void TestGraphFrame::geometry() {
    QFETCH(QSize, client);
    QFETCH(int, margin);
    const PlotGeometry geometry = PlotGeometry::of(client, margin);
    QCOMPARE(geometry.PlotLeft, margin);
    QTEST(geometry.PlotWidth, "width");
    QTEST(geometry.PlotHeight, "height");
    QTEST(geometry.PlotBottom, "bottom");
    // The top of the plot area is 110 pixels below the client area's top, whatever its height.
    QCOMPARE(geometry.PlotBottom - geometry.PlotHeight, 110.f);
}

void TestGraphFrame::axisLabels_data() {
    QTest::addColumn<float>("yMin");
    QTest::addColumn<float>("yMax");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("-310 to 1400") << -310.f << 1400.f
                                  << QStringList{"-310.0", "-96.2", "117.5",  "331.2", "545.0",
                                                 "758.7",  "972.5", "1186.2", "1400.0"};
    QTest::newRow("-190 to 1333") << -190.f << 1333.f
                                  << QStringList{"-190.0", "0.3",   "190.7",  "381.1", "571.5",
                                                 "761.8",  "952.2", "1142.6", "1333.0"};
    QTest::newRow("-4 to 4: below zero keeps its sign")
        << -4.f << 4.f
        << QStringList{"-4.0", "-3.0", "-2.0", "-1.0", "0.0", "1.0", "2.0", "3.0", "4.0"};
    QTest::newRow("-1 to 3") << -1.f << 3.f << QStringList{"-1.0", "-0.5", "0.0", "0.5", "1.0",
                                                           "1.5",  "2.0",  "2.5", "3.0"};
}

void TestGraphFrame::axisLabels() {
    QFETCH(float, yMin);
    QFETCH(float, yMax);
    QFETCH(QStringList, labels);
    FakeSurface surface;
    const GraphState state = stateFor(QSize(287, 211), 80, yMin, yMax);
    GraphFrame::draw(surface, state, QStringLiteral("\u00B0C"), GraphFrame::PlotArea::White);

    const QList<FakeSurface::Call> black = [&] {
        QList<FakeSurface::Call> found;
        for (const FakeSurface::Call &call : surface.sinceClear(Kind::Text)) {
            if (call.colour == GraphColours::Black && call.text != QStringLiteral("\u00B0C"))
                found << call;
        }
        return found;
    }();
    QCOMPARE(texts(black), labels);
    // Left-aligned 62 pixels left of the plot, centred on the long ticks, bottom to top.
    for (int j = 0; j < black.size(); ++j) {
        const double tick = 161 - j * 51.0 / 8;
        QCOMPARE(black[j].from, QPointF(18, tick - FakeSurface::TextHeight / 2.0));
    }
}

void TestGraphFrame::labelTexts_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("label");
    QTest::newRow("whole") << 1400.f << "1400.0";
    QTest::newRow("zero") << 0.f << "0.0";
    QTest::newRow("truncated, not rounded") << 0.375f << "0.3";
    QTest::newRow("negative truncated toward zero") << -96.25f << "-96.2";
    QTest::newRow("between -1 and 0") << -0.5f << "-0.5";
    QTest::newRow("one decimal") << 12.5f << "12.5";
    QTest::newRow("negative whole") << -310.f << "-310.0";
}

void TestGraphFrame::labelTexts() {
    QFETCH(float, value);
    QTEST(GraphFrame::FormatAxisLabel(value), "label");
}

void TestGraphFrame::labelsKeepThePointInACommaLocale() {
    const QLocale before;
    const QByteArray cBefore = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // where installed; QLocale is the one that matters
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));

    QCOMPARE(GraphFrame::FormatAxisLabel(12.5f), QStringLiteral("12.5"));
    QCOMPARE(GraphFrame::FormatAxisLabel(-1234.5f), QStringLiteral("-1234.5"));
    FakeSurface surface;
    GraphFrame::draw(surface, stateFor(QSize(287, 211), 80, -310, 1400), QStringLiteral("\u00B0F"),
                     GraphFrame::PlotArea::White);
    const QStringList drawn = texts(surface.sinceClear(Kind::Text));
    QVERIFY(drawn.contains(QStringLiteral("1186.2")));
    for (const QString &text : drawn)
        QVERIFY2(!text.contains(QLatin1Char(',')), qPrintable(text));

    QLocale::setDefault(before);
    std::setlocale(LC_ALL, cBefore.constData());
}

void TestGraphFrame::frameOfTheRealTimeGraph() {
    FakeSurface surface;
    GraphState state = stateFor(QSize(287, 211), 80, -190, 1333);
    state.ShowT2 = 0; // the legends do not follow the switches
    GraphFrame::draw(surface, state, QStringLiteral("\u00B0C"), GraphFrame::PlotArea::White);
    const float L = 80, B = 161, W = 180, H = 51, T = 110;
    using S = FakeSurface;
    const Rgb Black = GraphColours::Black;

    QCOMPARE(surface.calls.first().kind, Kind::Clear);
    const QList<FakeSurface::Call> lines = surface.sinceClear(Kind::Line);
    QCOMPARE(lines.size(), 2 + 17 + 9);
    // The axes, 2 pixels wide.
    QCOMPARE(lines.mid(0, 2),
             (QList<FakeSurface::Call>{S::line({L - 2, B + 5}, {L - 2, T - 5}, Black, 2),
                                       S::line({L - 2, B + 6}, {L + W + 2, B + 6}, Black, 2)}));
    // A tick every sixteenth of the height, 5 pixels long, and at every eighth one 8 long.
    QList<FakeSurface::Call> ticks;
    for (int i = 0; i <= 16; ++i) {
        const float y = B - i * H / 16;
        ticks << S::line({L - 2, y}, {L - 7, y}, Black);
        if (i % 2 == 0)
            ticks << S::line({L - 2, y}, {L - 10, y}, Black);
    }
    QCOMPARE(lines.mid(2), ticks);

    QCOMPARE(surface.sinceClear(Kind::Fill),
             QList<FakeSurface::Call>{S::fill({L, B}, {L + W, T}, GraphColours::White)});

    QCOMPARE(surface.sinceClear(Kind::Text).mid(9),
             (QList<FakeSurface::Call>{S::text({L, T - 40}, "T1", GraphColours::T1),
                                       S::text({L + 40, T - 40}, "T2", GraphColours::T2),
                                       S::text({L + 80, T - 40}, "T1-T2", GraphColours::Diff),
                                       S::text({L - 40, T - 40}, "\u00B0C", Black)}));
}

void TestGraphFrame::frameOfTheFilePlotHasGridLines() {
    FakeSurface surface;
    GraphFrame::draw(surface, stateFor(QSize(287, 211), 75, -310, 1400), QStringLiteral("\u00B0F"),
                     GraphFrame::PlotArea::GridLines);
    QCOMPARE(surface.sinceClear(Kind::Fill).size(), 0);
    const QList<FakeSurface::Call> grid = surface.linesOf(GraphColours::Grid);
    QCOMPARE(grid.size(), 9);
    QList<int> dotted;
    for (const FakeSurface::Call &line : grid) {
        QCOMPARE(line.from.x(), 75.0);
        QCOMPARE(line.to.x(), 75.0 + 210);
        QCOMPARE(line.from.y(), line.to.y());
        QCOMPARE(line.width, 1);
        const int j = int(std::lround((161 - line.from.y()) * 8 / 51));
        if (line.style == Surface::LineStyle::Dotted)
            dotted << j;
    }
    QCOMPARE(dotted, (QList<int>{0, 1, 2, 3, 5, 6, 7, 8}));
    // The solid middle line comes last, over the dotted ones.
    QCOMPARE(grid.last().style, Surface::LineStyle::Solid);
    QCOMPARE(grid.last().from.y(), 161 - 51 / 2.0);
}

QTEST_GUILESS_MAIN(TestGraphFrame)
#include "tst_graph_frame.moc"
