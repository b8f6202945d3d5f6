// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/plot_geometry.h"
#include "graphs/plot_span.h"
#include "graphs/record_axis.h"

#include <QTest>

#include <optional>

namespace {

// A plot of 287 × 211 pixels, left margin 75: left 75, width 210, bottom 161, height 51,
// for -190 to 1333.
PlotGeometry filePlot() {
    PlotGeometry geometry = PlotGeometry::of(QSize(287, 211), PlotGeometry::FilePlotMargin);
    geometry.YMin = -190;
    geometry.YMax = 1333;
    return geometry;
}

} // namespace

// Where records and readings stand in a plot, and the span of records it shows.
class TestPlotGeometry : public QObject {
    Q_OBJECT

private slots:
    void height_data();
    void height();
    void recordsAlongTheWidth_data();
    void recordsAlongTheWidth();
    void recordsSharingAColumn();
    void span_data();
    void span();
};

void TestPlotGeometry::height_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("height");
    // Plot 51 pixels high for -190 to 1333.
    QTest::newRow("OL: 5 above the top") << "OL" << 56.0;
    QTest::newRow("-OL: 3 below the bottom") << "-OL" << -3.0;
    QTest::newRow("YMax: on the top edge") << "1333" << 51.0;
    QTest::newRow("YMin: on the bottom edge") << "-190" << 0.0;
    QTest::newRow("above YMax") << "1333.1" << 56.0;
    QTest::newRow("below YMin") << "-190.1" << -3.0;
    QTest::newRow("half way") << "571.5" << 25.5;
    QTest::newRow("no number counts as 0") << "abc" << 190 / 1523.0 * 51;
}

void TestPlotGeometry::height() {
    QFETCH(QString, text);
    QFETCH(double, height);
    const PlotGeometry geometry = filePlot();
    const Reading reading = Reading::of(QStringView(text));
    QCOMPARE(geometry.heightOf(reading), height);
    QCOMPARE(geometry.yOf(reading), 161 - height);
}

void TestPlotGeometry::recordsAlongTheWidth_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("x");
    QTest::addColumn<float>("step");
    QTest::newRow("first of 11") << 1 << 11 << 0 << 75.0 << 21.f;
    QTest::newRow("third of 11") << 1 << 11 << 2 << 75.0 + 42 << 21.f;
    QTest::newRow("last of 11: on the edge") << 1 << 11 << 10 << 75.0 + 210 << 21.f;
    QTest::newRow("a span within") << 3 << 5 << 1 << 75.0 + 105 << 105.f;
    QTest::newRow("one record: on the axis") << 1 << 1 << 0 << 75.0 << 0.f;
    QTest::newRow("last of 345,600")
        << 1 << 345600 << 345599 << 75.0 + 210 << float(210 / 345599.0);
}

void TestPlotGeometry::recordsAlongTheWidth() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, k);
    QFETCH(double, x);
    const RecordAxis axis(filePlot(), from, to);
    QCOMPARE(axis.n(), qint64(to - from));
    QCOMPARE(axis.xOf(k), x);
    QTEST(axis.step(), "step");
    // And back: the record at its own x, and the nearest one a little beside it.
    QCOMPARE(axis.nearest(x), qint64(k));
    QCOMPARE(axis.recordAt(x), from + k);
    if (to > from) {
        const double half = (axis.xOf(1) - axis.xOf(0)) / 2;
        QCOMPARE(axis.nearest(x + 0.9 * half), qint64(k));
        QCOMPARE(axis.nearest(x - 0.9 * half), qint64(k));
    }
    // Beyond the plot: the first or the last record.
    QCOMPARE(axis.nearest(0), qint64(0));
    QCOMPARE(axis.nearest(1000), axis.n());
}

void TestPlotGeometry::recordsSharingAColumn() {
    // 1,001 records over 210 pixels: about five to a column.
    const RecordAxis axis(filePlot(), 1, 1001);
    for (qint64 k = 0; k <= 1000; k += 7) {
        const qint64 last = axis.lastInColumn(k, 1001);
        QVERIFY(last >= k);
        for (qint64 j = k; j <= last; ++j)
            QCOMPARE(std::floor(axis.xOf(j)), std::floor(axis.xOf(k)));
        if (last < 1000)
            QVERIFY(std::floor(axis.xOf(last + 1)) > std::floor(axis.xOf(k)));
    }
    // Never past the limit, an event the drawing stops at.
    QCOMPARE(axis.lastInColumn(0, 2), qint64(1));
}

void TestPlotGeometry::span_data() {
    QTest::addColumn<double>("from"); // -1: no number
    QTest::addColumn<double>("to");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("fromNo");
    QTest::addColumn<int>("toNo");
    QTest::newRow("within") << 2.0 << 5.0 << true << 2 << 5;
    QTest::newRow("all of them") << 1.0 << 10.0 << true << 1 << 10;
    QTest::newRow("halves to even") << 2.5 << 5.5 << true << 2 << 6;
    QTest::newRow("To beyond N") << 1.0 << 11.0 << false << 1 << 10;
    QTest::newRow("From 0") << 0.0 << 5.0 << false << 1 << 10;
    QTest::newRow("From = To") << 4.0 << 4.0 << false << 1 << 10;
    QTest::newRow("no number") << -1.0 << 5.0 << false << 1 << 10;
}

void TestPlotGeometry::span() {
    QFETCH(double, from);
    QFETCH(double, to);
    PlotSpan span(10);
    QVERIFY(span.isWhole());
    QTEST(span.set(from < 0 ? std::nullopt : std::optional<double>(from), to), "accepted");
    QTEST(span.FromNo(), "fromNo");
    QTEST(span.ToNo(), "toNo");
    QCOMPARE(span.refusal(), QStringLiteral("1 <= No.s <= 10, try again!"));
    QVERIFY(span.set(1, span.records())); // the way back
    QVERIFY(span.isWhole());
    // A file of one record has no span to show but itself.
    PlotSpan one(1);
    QVERIFY(!one.set(1, one.records()));
    QCOMPARE(one.ToNo(), 1);
}

QTEST_GUILESS_MAIN(TestPlotGeometry)
#include "tst_plot_geometry.moc"
