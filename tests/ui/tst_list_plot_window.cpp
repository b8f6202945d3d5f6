// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/record_rows.h"
#include "graphs/list_plot_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_image_printer.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"
#include "ui/list_plot.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <cmath>

namespace {

const QColor Blue(0, 0, 255);
const QColor Green(0, 255, 0);
const QColor Red(255, 0, 0);
const QColor Grey(192, 192, 192);

Platform &drawingPlatform(FakePlatform &fakes, const QString &pdf) {
    fakes.makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    fakes.makeImagePrinter = [pdf] { return std::make_unique<QtImagePrinter>(pdf); };
    return fakes.platform();
}

int countOf(const QImage &image, const QColor &colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    }
    return n;
}

} // namespace

// The file plot's window offscreen: the curves where the geometry puts them, the range
// panel's layout, and the column extents drawing the same pixels as every segment.
class TestListPlotWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void curvesWhereTheGeometryPutsThem();
    void rangePanelLayout();
    void columnExtentsDrawTheSamePictureAsEverySegment();
    void printsThePictureToPdf();

private:
    ListWindowModel *openFileList(const QList<RecordRow> &rows);
    ListPlotModel *openPlot();
    const QImage &pictureOf(ListPlotModel *plot) {
        return static_cast<QtImageSurface &>(plot->surface()).image();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    ListWindowModel *m_list = nullptr;
};

void TestListPlotWindow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(
        drawingPlatform(*m_fakes, m_dir->filePath(QStringLiteral("plot.pdf"))));
}

void TestListPlotWindow::cleanup() {
    m_list = nullptr;
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

ListWindowModel *TestListPlotWindow::openFileList(const QList<RecordRow> &rows) {
    m_list = m_program->windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
    for (const RecordRow &row : rows)
        m_list->appendRow(row);
    return m_list;
}

ListPlotModel *TestListPlotWindow::openPlot() {
    m_program->listCommands().plot(m_list);
    return m_program->plot();
}

void TestListPlotWindow::curvesWhereTheGeometryPutsThem() {
    openFileList({record(1, "1000", "0", "500"), record(2, "1000", "0", "500"),
                  record(3, "1000", "0", "500")});
    ListPlotModel *plot = openPlot();
    QVERIFY(plot);
    std::unique_ptr<QWidget> window(Desk::makeView(*plot));
    QVERIFY(qobject_cast<ListPlot *>(window.get()));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->objectName(), QStringLiteral("ListPlot"));
    QCOMPARE(window->size(), ListPlotModel::DesignSize);
    plot->Timer1().stop();
    plot->DrawPass();
    QCoreApplication::processEvents();
    QCOMPARE(window->windowTitle(), QStringLiteral("Plot"));
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // 612 × 400: plot from x 75, 510 wide, bottom 350, 240 high; -190 to 1333.
    // 1000 at y 162.5, 500 at 241.3, 0 at 320.1: lines across the whole plot.
    for (int x : {75, 200, 330, 584}) {
        QCOMPARE(shown.pixelColor(x + 1, 162), Blue);
        QCOMPARE(shown.pixelColor(x + 1, 241), Red);
        QCOMPARE(shown.pixelColor(x + 1, 320), Green);
    }
    QCOMPARE(shown.pixelColor(590, 162), QColor(Qt::white)); // the plot ends at 585
    // Dotted grid lines and the solid middle one; the progress marks at the three records.
    QCOMPARE(shown.pixelColor(301, 230), Grey);
    int markRows = 0;
    for (int y = 241; y <= 349; ++y)
        markRows += shown.pixelColor(330, y) == Grey;
    QVERIFY2(markRows > 20, qPrintable(QString::number(markRows)));
    // The time labels under the marks: black ink between y 360 and 375.
    int ink = 0;
    for (int y = 360; y < 376; ++y) {
        for (int x = 300; x < 360; ++x)
            ink += shown.pixelColor(x, y) == QColor(Qt::black);
    }
    QVERIFY(ink > 10);

    // Covered and uncovered, the picture is still there.
    window->hide();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->grab().toImage().convertToFormat(QImage::Format_RGB32), shown);
}

void TestListPlotWindow::rangePanelLayout() {
    openFileList({record(1, "1", "2", "3"), record(2, "1", "2", "3")});
    ListPlotModel *plot = openPlot();
    std::unique_ptr<QWidget> window(Desk::makeView(*plot));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto *range = window->findChild<QFrame *>(QStringLiteral("PRange"));
    QVERIFY(range);
    QCOMPARE(range->geometry(), QRect(8, 32, 273, 113));
    QCOMPARE(window->findChild<QFrame *>(QStringLiteral("PFunction"))->geometry(),
             QRect(8, 32, 121, 81));
    QCOMPARE(window->findChild<QGroupBox *>(QStringLiteral("SSFrame1"))->title(),
             QStringLiteral("Temperature"));
    QCOMPARE(window->findChild<QGroupBox *>(QStringLiteral("SSFrame2"))->title(),
             QStringLiteral("No.s"));
    plot->press(GraphCommand::Range);
    QVERIFY(range->isVisible());
    QCOMPARE(range->findChild<QLineEdit *>(QStringLiteral("TxtTo"))->text(), QStringLiteral("2"));
    auto *from = range->findChild<QLineEdit *>(QStringLiteral("TxtFrom"));
    from->clear();
    QTest::keyClicks(from, QStringLiteral("-1.x"));
    QCOMPARE(from->text(), QStringLiteral("1"));
    QTest::mouseClick(range->findChild<QWidget *>(QStringLiteral("CmdRangeCancel")),
                      Qt::LeftButton);
    QVERIFY(!range->isVisible());
}

void TestListPlotWindow::columnExtentsDrawTheSamePictureAsEverySegment() {
    // 20,000 records over 510 columns, wandering and jumping, some beyond the range.
    QList<RecordRow> rows;
    for (int i = 1; i <= 20000; ++i) {
        const double t1 = 400 * std::sin(i / 300.0) + 300 * std::sin(i / 7.0) + (i % 97) * 3;
        const QString text = i % 4999 == 0 ? QStringLiteral("OL") : QString::number(t1, 'f', 1);
        rows << record(i, text, QStringLiteral("0"), QStringLiteral("0"));
    }
    openFileList(rows);
    QImage pictures[2];
    const PlotPass::Drawing drawings[2] = {PlotPass::Drawing::EverySegment,
                                           PlotPass::Drawing::ColumnExtents};
    for (int i = 0; i < 2; ++i) {
        // The plot "Plot" opens, drawing this way.
        ListPlotModel *plot = m_program->windows().open(std::make_unique<ListPlotModel>(
            m_program->platform(), m_program->panel().timers(), *m_list, QStringLiteral("\u00B0C"),
            QStringLiteral("K"), drawings[i]));
        QVERIFY(plot);
        plot->run(GraphCommand::Function);
        plot->setChecked(QStringLiteral("CKT2"), false);
        plot->setChecked(QStringLiteral("CKT1T2"), false);
        plot->functionOk();
        plot->resize(ListPlotModel::DesignSize);
        plot->DrawPass();
        pictures[i] = pictureOf(plot).copy();
        plot->requestClose();
    }
    // One curve: the same picture. Qt rasterises a slanted segment inside one column a
    // little differently from a vertical line (a pixel more or less at its ends), so a few
    // single pixels may differ; a column drawn wrong would differ by dozens.
    const int curve = countOf(pictures[0], Blue);
    QVERIFY(curve > 5000);
    int differing = 0;
    for (int y = 0; y < pictures[0].height(); ++y) {
        for (int x = 0; x < pictures[0].width(); ++x)
            differing += pictures[0].pixel(x, y) != pictures[1].pixel(x, y);
    }
    QVERIFY2(differing * 200 < curve,
             qPrintable(QStringLiteral("%1 of %2 pixels differ").arg(differing).arg(curve)));
}

void TestListPlotWindow::printsThePictureToPdf() {
    openFileList({record(1, "1000", "0", "500"), record(2, "900", "10", "400")});
    ListPlotModel *plot = openPlot();
    std::unique_ptr<QWidget> window(Desk::makeView(*plot));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    plot->DrawPass();
    plot->press(GraphCommand::Print);
    const QString pdf = m_dir->filePath(QStringLiteral("plot.pdf"));
    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(window->findChild<QToolBar *>(QStringLiteral("Toolbar1"))->isVisible());
    QCOMPARE(m_fakes->dialogs.messages.size(), 0);
}

QTEST_MAIN(TestListPlotWindow)
#include "tst_list_plot_window.moc"
