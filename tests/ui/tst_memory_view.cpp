// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/started_program.h"
#include "lists/list_window_model.h"
#include "logger/memory_model.h"
#include "panel/panel_model.h"
#include "program/program.h"
#include "ui/desk.h"
#include "ui/memory.h"
#include "ui/memory_gauge.h"

#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

// Two sets: the worked set (J, °C, 60 s, two records) and one without records.
const QByteArray Dump = QByteArray::fromHex("02 0227"
                                            "120924102030 81 00 003c 0002 80fd8100 ff0080fa"
                                            "121231235930 00 00 0001 0000");

} // namespace

// The view of "Data Logger", offscreen, on a program that received a dump on the fakes.
class TestMemoryView : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheDownload();
    void clicksReachTheModel();
    void closingTheViewClosesTheWindow();

private:
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QWidget> m_view;
    Memory *m_memory = nullptr;
};

void TestMemoryView::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_fakes->serial.queue(QByteArray(10, char(0xAA)));
    m_fakes->serial.queue(Dump);
    m_program->panel().frameTick();
    QVERIFY(m_program->memory());
    // The fake meter says nothing more: a tick of the panel's frame timer while the window
    // shows would wait for it without end (the fake pump's waits take no time).
    m_program->panel().stopTimers();
    // The view Desk makes for the window's name.
    m_view.reset(Desk::makeView(*m_program->memory()));
    m_memory = qobject_cast<Memory *>(m_view.get());
    QVERIFY(m_memory);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestMemoryView::cleanup() {
    m_view.reset();
    m_program.reset();
    m_fakes.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMemoryView::showsTheDownload() {
    QCOMPARE(m_view->objectName(), QStringLiteral("Memory"));
    QCOMPARE(m_view->windowTitle(), QStringLiteral("Data Logger"));

    QTableView *grid = m_memory->gridSet();
    QCOMPARE(grid->objectName(), QStringLiteral("GridSet"));
    QStringList headings;
    for (int column = 0; column < 4; ++column)
        headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"Set", "Rec Time", "Sampling", "Records"}));
    QCOMPARE(grid->model()->rowCount(), 2);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("12/09/24 10:20:30"));
    // Each column holds its sample text, and the time column the longest of them.
    const QFontMetrics metrics = m_view->fontMetrics();
    for (int column = 0; column < 4; ++column) {
        const QString &sample = Memory::WidthSamples.at(column);
        QVERIFY2(grid->columnWidth(column) >= metrics.horizontalAdvance(sample),
                 qPrintable(sample));
        QVERIFY(grid->columnWidth(column) <= grid->columnWidth(1));
    }
    QVERIFY(grid->columnWidth(1) > metrics.horizontalAdvance(QStringLiteral("12/09/24 10:20:30")));

    QCOMPARE(m_view->findChild<QProgressBar *>(QStringLiteral("MBar"))->value(), 100);
    auto *size = m_view->findChild<MemoryGauge *>(QStringLiteral("MSize"));
    QVERIFY(size);
    QCOMPARE(size->percent(), 0x227 * 100 / 32768);
    QCOMPARE(size->text(), QStringLiteral("Memory Size  1 %"));
    QCOMPARE(m_view->findChild<QLabel *>(QStringLiteral("Label2"))->text(), QStringLiteral("Used"));
    QCOMPARE(m_view->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
             QStringLiteral("Unused"));
    QCOMPARE(m_view->findChild<QLabel *>(QStringLiteral("LblMemorySize"))->text(),
             QStringLiteral("Capacity : 32 K"));
    QVERIFY(m_view->findChild<QWidget *>(QStringLiteral("SSPanel2")));
    QCOMPARE(m_view->findChild<QPushButton *>(QStringLiteral("CmdCompare"))->text(),
             QStringLiteral("Compare"));
    QVERIFY(m_view->findChild<QWidget *>(QStringLiteral("Grid")));

    // MBar follows the model.
    m_program->memory()->setMBar(73);
    QCOMPARE(m_view->findChild<QProgressBar *>(QStringLiteral("MBar"))->value(), 73);
}

void TestMemoryView::clicksReachTheModel() {
    QTableView *grid = m_memory->gridSet();
    // The heading row does nothing.
    QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->columnViewportPosition(0) + 4, 4));
    QVERIFY(!m_program->DataListOpen());

    // The first row below the heading is set 1.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 2)).center());
    QVERIFY(m_program->DataListOpen());
    QCOMPARE(m_program->dataList()->records().rowCount(), 2);
    QCOMPARE(m_program->dataList()->records().cell(4, 1), QStringLiteral("----"));
    QCOMPARE(m_view->findChild<QProgressBar *>(QStringLiteral("MBar"))->value(), 100);

    // Enter on a set row lists it as a click does.
    m_program->windows().close(m_program->dataList());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(m_program->dataList());
    QCOMPARE(m_program->dataList()->records().rowCount(), 0); // the second set has no records

    // MSize and SSPanel2 both ask before erasing; cancelled, nothing is sent.
    m_fakes->dialogs.answers << Dialogs::Answer::Cancel << Dialogs::Answer::Cancel;
    QTest::mouseClick(m_view->findChild<QWidget *>(QStringLiteral("MSize")), Qt::LeftButton);
    QTest::mouseClick(m_view->findChild<QWidget *>(QStringLiteral("SSPanel2")), Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.messages.size(), 2);
    for (const FakeDialogs::Message &message : std::as_const(m_fakes->dialogs.messages))
        QCOMPARE(message.text, QStringLiteral("All saved data in memory will be deleted."));
    QVERIFY(m_fakes->serial.written.isEmpty());

    // "Compare" has no behaviour.
    QTest::mouseClick(m_view->findChild<QPushButton *>(QStringLiteral("CmdCompare")),
                      Qt::LeftButton);
    QCOMPARE(m_fakes->dialogs.messages.size(), 2);
    QVERIFY(m_program->MemoryOpen());
}

void TestMemoryView::closingTheViewClosesTheWindow() {
    m_view->close();
    QVERIFY(!m_program->MemoryOpen());
}

QTEST_MAIN(TestMemoryView)
#include "tst_memory_view.moc"
