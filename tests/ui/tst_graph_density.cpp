// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/started_program.h"
#include "graphs/real_time_t1t2_model.h"
#include "panel/panel_model.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"

#include <QApplication>
#include <QTest>

#include <cmath>

namespace {

const QColor Blue(0, 0, 255);
const QColor White(255, 255, 255);
const QColor Grid(192, 192, 192);

// The blue rows of one column of device pixels, as [first, last]; {-1, -1} when none.
std::pair<int, int> blueRun(const QImage &image, int column, int top, int bottom) {
    int first = -1;
    int last = -1;
    for (int row = top; row <= bottom; ++row) {
        if (image.pixelColor(column, row) == Blue) {
            if (first < 0)
                first = row;
            last = row;
        }
    }
    return {first, last};
}

} // namespace

// The real-time graph on a screen of two device pixels per pixel (QT_SCALE_FACTOR=2, set
// before the application starts): the picture is drawn at that density, so a rising curve
// climbs in steps of one device pixel exactly where its geometry puts it, in its own colour
// with no blend into its neighbours. A picture drawn at one device pixel per pixel and
// stretched would climb in steps of two, every column the same as its neighbour.
class TestGraphDensity : public QObject {
    Q_OBJECT

private slots:
    void risingCurveOnTheDevicePixelsOfItsGeometry();
};

void TestGraphDensity::risingCurveOnTheDevicePixelsOfItsGeometry() {
    FakePlatform fakes;
    fakes.makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    Program program(fakes.platform());
    LiveValues live;
    live.TypeText = QStringLiteral("K");
    live.UnitText = QStringLiteral("\u00B0C");
    live.T2Text = live.DiffText = QStringLiteral("----"); // T1 alone
    RealTimeT1T2Model *graph = openRealTimeGraph(program, live);
    QVERIFY(graph);
    std::unique_ptr<QWidget> window(Desk::makeView(*graph));
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->devicePixelRatioF(), 2.0);
    graph->Timer1().stop();

    // One value a pixel: from 0 at the plot's bottom to its height at the top, a point per
    // pixel across.
    const GraphState &s = graph->state();
    graph->setRangeText(QStringLiteral("TxtMin"), QStringLiteral("0"));
    graph->setRangeText(QStringLiteral("TxtMax"), QString::number(s.PlotHeight));
    graph->setRangeText(QStringLiteral("TxtCounts"), QString::number(s.PlotWidth));
    graph->rangeOk();
    QCOMPARE(s.XStep, 1.f);
    QCOMPARE(s.YMax, s.PlotHeight);
    // The picture holds the device's pixels.
    const QImage &picture = static_cast<QtImageSurface &>(graph->surface()).image();
    QCOMPARE(picture.size(), window->size() * 2);
    QCOMPARE(picture.devicePixelRatio(), 2.0);

    // T1 rises one value (one pixel) a point for 20 points from a quarter of the height.
    const int base = int(s.PlotHeight / 4);
    for (int i = 0; i <= 20; ++i) {
        live.T1Text = QString::number(base + i);
        graph->PlotTick();
    }
    QCoreApplication::processEvents();
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), window->size() * 2);

    // Point i lies at (L + i, B - base - i), in device pixels twice that; between points
    // the segment. Columns of the points 4 to 16 (no grid line nor mark of the sweep there).
    const int L = s.PlotLeft;
    const double B = s.PlotBottom;
    const int top = int(2 * s.plotTop());
    const int bottom = int(2 * B);
    int differingPairs = 0;
    std::pair<int, int> previous{-1, -1};
    for (int column = 2 * (L + 4); column < 2 * (L + 16); ++column) {
        const auto [first, last] = blueRun(shown, column, top, bottom);
        QVERIFY2(first >= 0, qPrintable(QStringLiteral("no blue in column %1").arg(column)));
        // The segment's centre line at this column's centre, in device pixels.
        const double t = (column + 0.5) / 2 - L;
        const double centre = 2 * (B - base - t);
        const double runCentre = (first + last + 1) / 2.0;
        QVERIFY2(std::abs(runCentre - centre) <= 1.0,
                 qPrintable(QStringLiteral("column %1: blue rows %2..%3, the line's centre %4")
                                .arg(column)
                                .arg(first)
                                .arg(last)
                                .arg(centre)));
        // Two device pixels thick, one pixel of the window: a width 1 line.
        QVERIFY2(last - first + 1 >= 2 && last - first + 1 <= 3,
                 qPrintable(
                     QStringLiteral("column %1: %2 blue rows").arg(column).arg(last - first + 1)));
        if (column % 2 == 1 && std::make_pair(first, last) != previous)
            ++differingPairs;
        previous = {first, last};
        // Nothing but the picture's own colours around it: no blend of blue and white.
        for (int row = top; row <= bottom; ++row) {
            const QColor c = shown.pixelColor(column, row);
            QVERIFY2(
                c == Blue || c == White || c == Grid,
                qPrintable(
                    QStringLiteral("column %1 row %2: %3").arg(column).arg(row).arg(c.name())));
        }
    }
    // A rising line steps between the two device columns of every window pixel.
    QCOMPARE(differingPairs, 12);
}

int main(int argc, char **argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestGraphDensity test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_graph_density.moc"
