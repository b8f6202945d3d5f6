// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/meter_frames.h"
#include "fakes/record_rows.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"
#include "ui/graph_window.h"

#include <QApplication>
#include <QTest>

#include <cmath>

namespace {

// The readout's line, drawn over the picture.
const QColor LineGrey(80, 80, 80);

QImage shownImage(QWidget &window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The pointer over the graph windows offscreen: the readout on its layer over an untouched
// picture, and dragging, double clicks and Backspace zooming the file plot.
class TestGraphPointer : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readoutLiesOverThePicture();
    void realTimeGraphReadout();
    void dragZoomsAndDoubleClickOrBackspaceZoomsOut();

private:
    ListPlotModel *openFilePlot(int records);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QWidget> m_window;
};

void TestGraphPointer::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_fakes->makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    m_program = std::make_unique<Program>(m_fakes->platform());
}

void TestGraphPointer::cleanup() {
    m_window.reset();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

ListPlotModel *TestGraphPointer::openFilePlot(int records) {
    auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
    list->setColumn0Heading(QStringLiteral("K Type \u00B0C"));
    for (int i = 1; i <= records; ++i)
        list->appendRow(
            record(i, QString::number(100 + i), QString::number(50), QString::number(i)));
    m_program->listCommands().plot(list);
    ListPlotModel *plot = m_program->plot();
    if (!plot)
        return nullptr;
    m_window.reset(Desk::makeView(*plot));
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return nullptr;
    plot->Timer1().stop();
    plot->DrawPass();
    QCoreApplication::processEvents();
    return plot;
}

void TestGraphPointer::readoutLiesOverThePicture() {
    ListPlotModel *plot = openFilePlot(11);
    QVERIFY(plot);
    auto *window = static_cast<GraphWindow *>(m_window.get());
    const QImage picture = static_cast<QtImageSurface &>(plot->surface()).image();
    const QImage before = shownImage(*window);
    QVERIFY(!window->readout());

    // Over record 6 in the middle of the plot.
    const GraphState &s = plot->state();
    const int middle = int(s.PlotLeft + s.PlotWidth / 2);
    QTest::mouseMove(window, QPoint(middle + 1, int(s.PlotBottom) - 20));
    QTRY_VERIFY(window->readout().has_value());
    QCOMPARE(window->readout()->place, QStringLiteral("No. 6"));
    QCOMPARE(window->readout()->line(Channel::T1), QStringLiteral("T1 106 \u00B0C"));
    const QImage with = shownImage(*window);
    QCOMPARE(with.pixelColor(middle, int(s.plotTop()) + 5), LineGrey);
    QVERIFY(with != before);
    // The retained picture is untouched.
    QCOMPARE(static_cast<QtImageSurface &>(plot->surface()).image(), picture);

    // Off the plot, the layer is gone and the window shows the picture as before.
    QTest::mouseMove(window, QPoint(30, 30));
    QTRY_VERIFY(!window->readout().has_value());
    QTRY_COMPARE(shownImage(*window), before);
}

void TestGraphPointer::realTimeGraphReadout() {
    // T1 25.3, T2 over range, so T1-T2 has no value.
    m_program->panel().showFrame(MeterFrames::liveFrame("25.3", "OL", "K", "\u00B0C"));
    m_program->panelCommands().graph();
    RealTimeT1T2Model *graph = m_program->graph();
    QVERIFY(graph);
    m_window.reset(Desk::makeView(*graph));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    graph->Timer1().stop();
    for (int i = 0; i < 20; ++i) {
        graph->PlotTick();
        m_fakes->clock.advance(1);
    }
    auto *window = static_cast<GraphWindow *>(m_window.get());
    QTest::mouseMove(window, QPoint(90, 130));
    QTRY_VERIFY(window->readout().has_value());
    QCOMPARE(window->readout()->place, QStringLiteral("14:25:11"));
    QCOMPARE(window->readout()->line(Channel::T1), QStringLiteral("T1 25.3 \u00B0C"));
    QCOMPARE(window->readout()->line(Channel::T2), QStringLiteral("T2 OL"));
    QCOMPARE(window->readout()->line(Channel::Diff), QString());
    // Past the newest point of the sweep there is nothing to read.
    QTest::mouseMove(window, QPoint(150, 130));
    QTRY_VERIFY(!window->readout().has_value());
}

void TestGraphPointer::dragZoomsAndDoubleClickOrBackspaceZoomsOut() {
    ListPlotModel *plot = openFilePlot(11);
    QVERIFY(plot);
    QWidget *window = m_window.get();
    // Eleven records a tenth of the plot's width apart.
    const GraphState &s = plot->state();
    const int y = int(s.PlotBottom) - 20;
    const auto at = [&](double record) {
        return QPoint(int(std::lround(s.PlotLeft + (record - 1) * s.PlotWidth / 10)), y);
    };
    QTest::mousePress(window, Qt::LeftButton, {}, at(3));
    QTest::mouseMove(window, at(4));
    QTest::mouseMove(window, at(5.1));
    QTest::mouseRelease(window, Qt::LeftButton, {}, at(5.1));
    QCOMPARE(plot->FromNo(), 3);
    QCOMPARE(plot->ToNo(), 5);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());

    QTest::mouseDClick(window, Qt::LeftButton, {}, at(6));
    QCOMPARE(plot->FromNo(), 1);
    QCOMPARE(plot->ToNo(), 11);

    // A click is no drag; a drag within one record is refused as Range OK refuses it.
    QTest::mouseClick(window, Qt::LeftButton, {}, at(6));
    QCOMPARE(plot->ToNo(), 11);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QTest::mousePress(window, Qt::LeftButton, {}, at(2.8));
    QTest::mouseMove(window, at(3.2));
    QTest::mouseRelease(window, Qt::LeftButton, {}, at(3.2));
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages[0].text, QStringLiteral("1 <= No.s <= 11, try again!"));
    QCOMPARE(plot->ToNo(), 11);

    QTest::mousePress(window, Qt::LeftButton, {}, at(7));
    QTest::mouseMove(window, at(13)); // past the plot's right edge
    QTest::mouseRelease(window, Qt::LeftButton, {}, at(13));
    QCOMPARE(plot->FromNo(), 7);
    QCOMPARE(plot->ToNo(), 11);
    window->setFocus();
    QTest::keyClick(window, Qt::Key_Backspace);
    QCOMPARE(plot->FromNo(), 1);
    QCOMPARE(plot->ToNo(), 11);
}

QTEST_MAIN(TestGraphPointer)
#include "tst_graph_pointer.moc"
