// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "e2e/linked_program.h"
#include "e2e/virtual_meter.h"
#include "lists/list_window_model.h"
#include "logger/logger.h"
#include "logger/memory_model.h"
#include "panel/panel_model.h"

#include <QTest>

namespace {

QStringList gridRows(MemoryModel *memory) {
    QStringList rows;
    const SetTableModel &grid = memory->GridSet();
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << grid.index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// Row 0 the heading row, then the records.
QString listRow(ListWindowModel *list, int row) {
    const RecordRow cells = row == 0 ? list->headingRow() : list->records().row(row - 1);
    return QStringList(cells.begin(), cells.end()).join(QLatin1Char('|'));
}

} // namespace

// The logger memory over the real serial adapter from the virtual meter: its dump, the
// listing of a set, the erase command, an empty memory and a dump that stalls.
class TestLoggerLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void downloadListEraseAndDumpAgain();

private:
    VirtualMeter m_meter;
};

void TestLoggerLink::initTestCase() {
    QVERIFY(m_meter.start());
}

void TestLoggerLink::downloadListEraseAndDumpAgain() {
    LinkedProgram linked(m_meter.link());
    Program &program = linked.program;
    QVERIFY(program.loadPanel());
    QTRY_VERIFY_WITH_TIMEOUT(!program.panel().display().LblMain.text.isEmpty(), 5000);
    QStringList progress;
    connect(&program.logger(), &Logger::progress, this,
            [&](const QString &text) { progress << text; });

    // The meter's three sample sets.
    m_meter.tell("dump");
    QTRY_VERIFY_WITH_TIMEOUT(program.MemoryOpen(), 15000);
    QCOMPARE(progress.last(), QStringLiteral("100 %"));
    MemoryModel *memory = program.memory();
    QCOMPARE(gridRows(memory), (QStringList{"1|26/03/14 09:30:00|2|5", "2|26/03/14 14:05:30|10|12",
                                            "3|26/03/15 08:00:00|60|60"}));
    QCOMPARE(memory->LblMemorySize(), QStringLiteral("Capacity : 32 K"));

    memory->clickGridSetRow(2);
    ListWindowModel *list = program.dataList();
    QVERIFY(list);
    QCOMPARE(list->records().rowCount(), 12);
    QCOMPARE(listRow(list, 0), QString::fromUtf8("K Type °C|     Date Time    |T1|T2|T1-T2"));
    QCOMPARE(listRow(list, 1), QStringLiteral("1|26/03/14 14:05:30|80.0|-18.0|98.0"));
    QCOMPARE(listRow(list, 8), QStringLiteral("8|26/03/14 14:06:40|62.5|----|----"));
    QVERIFY(program.panel().timers().running());

    // Erase, answered OK: the meter empties its memory on "EEE".
    memory->clickMSize();
    QCOMPARE(linked.dialogs.messages.size(), 1);
    QVERIFY(program.panel().timers().running());
    m_meter.tell("dump");
    QTRY_COMPARE_WITH_TIMEOUT(linked.dialogs.messages.size(), 2, 15000);
    QCOMPARE(linked.dialogs.messages[1].text, QStringLiteral(" No Data in Memory!"));
    QCOMPARE(linked.dialogs.messages[1].icon, Dialogs::Icon::Critical);

    // A dump that stops after 200 of its 347 bytes: the third set arrives in part.
    m_meter.tell("memory sample");
    m_meter.tell("dump stall 200");
    QTRY_COMPARE_WITH_TIMEOUT(linked.dialogs.messages.size(), 3, 20000);
    QCOMPARE(linked.dialogs.messages[2].text,
             QStringLiteral("The meter stopped sending its memory after 200 of 347 bytes. "
                            "Data Logger shows the records received."));
    QCOMPARE(gridRows(program.memory()),
             (QStringList{"1|26/03/14 09:30:00|2|5", "2|26/03/14 14:05:30|10|12",
                          "3|26/03/15 08:00:00|60|23"}));

    program.quit();
    QVERIFY(!linked.serial.isOpen());
}

QTEST_GUILESS_MAIN(TestLoggerLink)
#include "tst_logger_link.moc"
