// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/started_program.h"
#include "graphs/real_time_t1t2_model.h"
#include "panel/panel_model.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_image_printer.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"
#include "ui/real_time_t1t2.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

const QColor Blue(0, 0, 255);
const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);

// The pictures of the graphs drawn by Qt, on the fakes otherwise; no panel timers run.
Platform &drawingPlatform(FakePlatform &fakes, const QString &pdf) {
    fakes.makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    fakes.makeImagePrinter = [pdf] { return std::make_unique<QtImagePrinter>(pdf); };
    return fakes.platform();
}

// Pixels near a colour anywhere in the image: a rendered page is resampled.
int nearlyOf(const QImage &image, const QColor &colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += std::abs(c.red() - colour.red()) < 60 &&
                 std::abs(c.green() - colour.green()) < 60 &&
                 std::abs(c.blue() - colour.blue()) < 60;
        }
    }
    return n;
}

// Pixels of a colour within a rectangle of the image.
int countOf(const QImage &image, const QColor &colour, const QRect &within) {
    int n = 0;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    }
    return n;
}

} // namespace

// The real-time graph's window offscreen: its picture on the screen where the geometry
// puts the curves, its panels and key filters, and a print to PDF.
class TestRealTimeGraphWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void curvesWhereTheGeometryPutsThem();
    void panelsAndKeyFilters();
    void printsThePictureToPdf();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    // What the graph is fed, as the panel's live values would feed it.
    LiveValues m_live;
    std::unique_ptr<QWidget> m_window;
    RealTimeT1T2Model *m_graph = nullptr;
};

void TestRealTimeGraphWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(
        drawingPlatform(*m_fakes, m_dir->filePath(QStringLiteral("graph.pdf"))));
    m_live.TypeText = QStringLiteral("K");
    m_live.UnitText = QStringLiteral("\u00B0C");
    m_live.T1Text = QStringLiteral("1000");
    m_live.T2Text = QStringLiteral("0");
    m_live.DiffText = QStringLiteral("500");
    m_graph = openRealTimeGraph(*m_program, m_live);
    QVERIFY(m_graph);
    m_window.reset(Desk::makeView(*m_graph));
    QVERIFY(qobject_cast<RealTimeT1T2 *>(m_window.get()));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_graph->Timer1().stop(); // the test draws the points itself
}

void TestRealTimeGraphWindow::cleanup() {
    m_window.reset();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

void TestRealTimeGraphWindow::curvesWhereTheGeometryPutsThem() {
    QCOMPARE(m_window->objectName(), QStringLiteral("RealTimeT1T2"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Real Time Graph"));
    // It opens as tall as the value labels of the font need to stand apart: the plot holds
    // nine label heights; never below the design size.
    const QSize opening = m_graph->openingSize();
    QCOMPARE(m_window->size(), opening);
    QCOMPARE(opening.width(), 287);
    QVERIFY(opening.height() >= 211);
    const double labelHeight = QFontMetricsF(QApplication::font()).height();
    const float plotHeight = m_graph->state().PlotHeight;
    const QString figures =
        QStringLiteral("plot %1 px, labels %2 px").arg(plotHeight).arg(labelHeight);
    QVERIFY2(plotHeight >= 9 * labelHeight, qPrintable(figures));
    QVERIFY2(opening.height() == 211 || plotHeight < 9 * labelHeight + 1, qPrintable(figures));
    // The user's resize to the design size redraws as described for it.
    m_window->resize(287, 211);
    QTRY_COMPARE(m_graph->state().PlotHeight, 51.f);
    auto *toolbar = m_window->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QVERIFY(toolbar);
    QStringList keys;
    for (const QAction *action : toolbar->actions()) {
        keys << action->objectName();
        QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
    }
    QCOMPARE(keys, (QStringList{"Function", "Range", "Print", "SaveImage"}));
    QVERIFY2(toolbar->height() <= 32, qPrintable(QString::number(toolbar->height())));

    for (int i = 0; i < 20; ++i)
        m_graph->PlotTick();
    QCoreApplication::processEvents();
    const QImage shown = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // -190 to 1333 over 51 pixels from y 161 up: 1000 at 121.2, 500 at 137.9, 0 at 154.6;
    // points from x 80 one pixel apart.
    QCOMPARE(shown.pixelColor(90, 121), Blue);
    QCOMPARE(shown.pixelColor(90, 137), Red);
    QCOMPARE(shown.pixelColor(90, 154), Green);
    QCOMPARE(countOf(shown, Blue, QRect(80, 121, 19, 1)), 19);
    QCOMPARE(countOf(shown, Blue, QRect(100, 110, 100, 51)), 0); // not beyond the 20th point
    // The legends in their colours above the plot; the axis black left of it.
    QVERIFY(countOf(shown, Blue, QRect(80, 70, 20, 16)) > 0);
    QVERIFY(countOf(shown, Green, QRect(120, 70, 20, 16)) > 0);
    QVERIFY(countOf(shown, Red, QRect(160, 70, 40, 16)) > 0);
    QCOMPARE(shown.pixelColor(78, 140), QColor(Qt::black));
    // The grid's middle line in light grey where no curve crosses it.
    QCOMPARE(shown.pixelColor(150, 135), QColor(192, 192, 192));

    // Covered and uncovered, the picture is still there.
    m_window->hide();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_window->grab().toImage().convertToFormat(QImage::Format_RGB32), shown);

    // A new size erases the curves and draws the frame for it.
    m_window->resize(500, 300);
    QTRY_COMPARE(m_graph->state().PlotWidth, 420.f);
    const QImage resized = m_window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(countOf(resized, Blue, QRect(80, 110, 420, 140)), 0);
}

void TestRealTimeGraphWindow::panelsAndKeyFilters() {
    auto *function = m_window->findChild<QFrame *>(QStringLiteral("PFunction"));
    auto *range = m_window->findChild<QFrame *>(QStringLiteral("PRange"));
    QVERIFY(function && range);
    QVERIFY(!function->isVisible() && !range->isVisible());
    QCOMPARE(function->geometry(), QRect(24, 32, 121, 81));
    QCOMPARE(range->geometry(), QRect(24, 32, 241, 49));

    m_live.DiffText = QStringLiteral("----");
    m_graph->PlotTick();
    m_graph->press(GraphCommand::Function);
    QVERIFY(function->isVisible());
    QVERIFY(!function->findChild<QCheckBox *>(QStringLiteral("CKT1T2"))->isChecked());
    QVERIFY(function->findChild<QCheckBox *>(QStringLiteral("CKT1"))->isChecked());
    function->findChild<QCheckBox *>(QStringLiteral("CKT2"))->setChecked(false);
    QTest::mouseClick(function->findChild<QWidget *>(QStringLiteral("CmdFunctionOK")),
                      Qt::LeftButton);
    QVERIFY(!function->isVisible());
    QCOMPARE(m_graph->state().ShowT2, 0);

    m_graph->press(GraphCommand::Range);
    QVERIFY(range->isVisible());
    auto *max = range->findChild<QLineEdit *>(QStringLiteral("TxtMax"));
    auto *min = range->findChild<QLineEdit *>(QStringLiteral("TxtMin"));
    auto *counts = range->findChild<QLineEdit *>(QStringLiteral("TxtCounts"));
    QCOMPARE(counts->text(), QStringLiteral("180"));
    QCOMPARE(max->text(), QStringLiteral("1333"));
    QCOMPARE(min->text(), QStringLiteral("-190"));

    // Typed through the key filters: letters dropped, "-" and "." only in Max and Min.
    m_window->activateWindow();
    max->setFocus();
    max->clear();
    QTest::keyClicks(max, QStringLiteral("1x0.0e0"));
    QCOMPARE(max->text(), QStringLiteral("10.00"));
    QTest::keyClick(max, Qt::Key_Backspace);
    QCOMPARE(max->text(), QStringLiteral("10.0"));
    counts->clear();
    QTest::keyClicks(counts, QStringLiteral("-3.6a0"));
    QCOMPARE(counts->text(), QStringLiteral("360"));
    // Enter walks Max, Min, Counts and confirms.
    QTest::keyClick(max, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), min);
    min->clear();
    QTest::keyClicks(min, QStringLiteral("-10"));
    QTest::keyClick(min, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), counts);
    QTest::keyClick(counts, Qt::Key_Return);
    QVERIFY(!range->isVisible());
    QCOMPARE(m_graph->state().YMax, 10.f);
    QCOMPARE(m_graph->state().YMin, -10.f);
    QCOMPARE(m_graph->state().XStep, 0.5f);
}

void TestRealTimeGraphWindow::printsThePictureToPdf() {
    for (int i = 0; i < 60; ++i)
        m_graph->PlotTick();
    const QString pdf = m_dir->filePath(QStringLiteral("graph.pdf"));
    m_graph->press(GraphCommand::Print);
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(m_window->findChild<QToolBar *>(QStringLiteral("Toolbar1"))->isVisible());

    // The page shows the picture, curves in their colours, scaled up to the page.
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QSKIP("pdftoppm is not installed: the page is not looked at");
    QProcess process;
    process.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), pdf, m_dir->filePath("page")});
    QVERIFY(process.waitForFinished());
    const QImage page =
        QImage(m_dir->filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    QVERIFY2(page.width() > page.height(), "landscape");
    // Stored without loss (no JPEG blurring a thin line into grey): the curves keep their
    // own colours.
    QVERIFY(nearlyOf(page, Blue) > 100);
    QVERIFY(nearlyOf(page, Green) > 100);
    QVERIFY(nearlyOf(page, Red) > 100);
}

QTEST_MAIN(TestRealTimeGraphWindow)
#include "tst_real_time_graph_window.moc"
