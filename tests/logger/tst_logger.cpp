// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/started_program.h"
#include "lists/list_window_model.h"
#include "logger/logger.h"
#include "logger/memory_model.h"
#include "panel/panel_model.h"
#include "program/program.h"

#include <QPointer>
#include <QTest>

namespace {

const QByteArray Marker(10, char(0xAA));
const QByteArray Frame = QByteArray::fromHex("020945810080fd00f003");
// The worked dump: N = 1, S = 539; one set, J and °C, 60 s, two records.
const QByteArray WorkedDump = QByteArray::fromHex("01021b"
                                                  "120924102030 81 00 003c 0002"
                                                  "80fd8100 ff0080fa");

QByteArray word(int value) {
    return QByteArray(1, char(value >> 8)) + char(value & 0xFF);
}

// A set: start bytes, status byte A, sampling time, the record count it claims, and as many
// records as it brings (T1 = k tenths, T2 = 20.0).
QByteArray setOf(const char *start, quint8 statusA, int sampling, int claimed, int brought) {
    QByteArray bytes =
        QByteArray::fromHex(start) + char(statusA) + char(0) + word(sampling) + word(claimed);
    for (int k = 1; k <= brought; ++k)
        bytes += word(0x8000 | k) + word(0x80C8);
    return bytes;
}

// A dump whose size word announces exactly its bytes.
QByteArray dumpOf(int announced, const QByteArray &sets) {
    return char(announced) + word(3 + int(sets.size()) + 516) + sets;
}

// GridSet's rows as "set|time|sampling|records".
QStringList gridRows(MemoryModel *memory) {
    QStringList rows;
    if (!memory)
        return rows;
    const SetTableModel &grid = memory->GridSet();
    for (int row = 0; row < grid.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < grid.columnCount(); ++column)
            cells << grid.index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// A list's rows, the heading row first, as "cell|cell|...".
QStringList listRows(ListWindowModel *list) {
    QStringList rows;
    if (!list)
        return rows;
    for (int row = -1; row < list->records().rowCount(); ++row) {
        const RecordRow cells = row < 0 ? list->headingRow() : list->records().row(row);
        rows << QStringList(cells.begin(), cells.end()).join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

// The logger memory through the whole program on the fakes: the dump behind a dump marker,
// "Data Logger", the listing of a set into "Data List", and the erase command.
class TestLogger : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workedDumpEndToEnd();
    void reception_data();
    void reception();
    void silenceOfFiveSecondsEndsTheReception();
    void emptyMemoryDropsTheRest();
    void closingPanelDuringADownloadEndsIt();
    void secondDownloadReplacesTheWindow();
    void allOf255SetsAreListed();
    void fillOfMSizeStaysWithinItsGauge_data();
    void fillOfMSizeStaysWithinItsGauge();

    void listingHoldsTheTimersAndLeavesTheLiveValues();
    void shortUndatedAndEmptySetsList();
    void listingStopsCleanly_data();
    void listingStopsCleanly();

    void erase_data();
    void erase();

private:
    // The meter sends a marker, then these reads; the frame timer's tick handles them.
    void receive(const QByteArrayList &reads);
    bool timersRunning() { return m_panel->timers().running(); }
    bool timersStopped() { return !m_panel->timers().running(); }

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    PanelModel *m_panel = nullptr;
    QStringList m_progress;
};

void TestLogger::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_panel = &m_program->panel();
    m_progress.clear();
    connect(&m_program->logger(), &Logger::progress, this,
            [this](const QString &text) { m_progress << text; });
}

void TestLogger::cleanup() {
    m_program.reset();
    m_fakes.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestLogger::receive(const QByteArrayList &reads) {
    m_fakes->serial.queue(Marker);
    for (const QByteArray &read : reads)
        m_fakes->serial.queue(read);
    m_panel->frameTick();
}

void TestLogger::workedDumpEndToEnd() {
    receive({WorkedDump});
    QCOMPARE(m_panel->display().LblMain.text, QStringLiteral("100 %"));
    QVERIFY(m_program->MemoryOpen());
    MemoryModel *memory = m_program->memory();
    QCOMPARE(memory->caption(), QStringLiteral("Data Logger"));
    QCOMPARE(gridRows(memory), QStringList{"1|12/09/24 10:20:30|60|2"});
    QCOMPARE(memory->LblMemorySize(), QStringLiteral("Capacity : 32 K"));
    QCOMPARE(memory->MSize(), 539 * 100 / 32768);
    QCOMPARE(memory->MBar(), 100);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());

    memory->clickGridSetRow(0); // the heading row
    QVERIFY(!m_program->DataListOpen());
    memory->clickGridSetRow(1);
    QVERIFY(m_program->DataListOpen());
    QCOMPARE(
        listRows(m_program->dataList()),
        (QStringList{QString::fromUtf8("J Type °C|     Date Time    |T1|T2|T1-T2"),
                     "1|12/09/24 10:20:30|25.3|25.6|-0.3", "2|12/09/24 10:21:30|-OL|25.0|----"}));
    QCOMPARE(m_program->dataList()->caption(), QStringLiteral("Data List"));
    QVERIFY(timersRunning());
}

void TestLogger::reception_data() {
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QStringList>("progress");
    QTest::addColumn<bool>("memoryOpen");
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<QString>("message");

    const QStringList worked{"1|12/09/24 10:20:30|60|2"};
    QTest::newRow("in chunks with pauses")
        << QByteArrayList{WorkedDump.first(5),      {}, {},
                          WorkedDump.sliced(5, 10), {}, WorkedDump.sliced(15)}
        << QStringList{"21 %", "65 %", "100 %"} << true << worked << QString();
    QTest::newRow("a first read of fewer than 3 bytes")
        << QByteArrayList{WorkedDump.first(2), {}, WorkedDump.sliced(2)} << QStringList{"100 %"}
        << true << worked << QString();
    QByteArrayList longPause{WorkedDump.first(12)};
    for (int i = 0; i < 49; ++i)
        longPause << QByteArray();
    longPause << WorkedDump.sliced(12);
    QTest::newRow("a pause just under 5 s")
        << longPause << QStringList{"52 %", "100 %"} << true << worked << QString();
    // The set claims 4 records, S announces 2: a frame right behind the dump is no record.
    const QByteArray claimsMore =
        QByteArray::fromHex("01021b 120924102030 81 00 003c 0004 80fd8100 ff0080fa");
    QTest::newRow("bytes beyond the expected ones")
        << QByteArrayList{claimsMore + Frame} << QStringList{"100 %"} << true << worked
        << QString();
    QTest::newRow("S = 516: nothing expected")
        << QByteArrayList{QByteArray::fromHex("030204")} << QStringList{"100 %"} << true
        << QStringList{} << QString();
    QTest::newRow("S below 516") << QByteArrayList{QByteArray::fromHex("010203") + Frame}
                                 << QStringList{} << false << QStringList{} << QString();
    QTest::newRow("no sets") << QByteArrayList{dumpOf(0, {})} << QStringList{"100 %"} << true
                             << QStringList{} << QString();

    const QByteArray two =
        dumpOf(2, setOf("240101000000", 0, 1, 3, 3) + setOf("240102000000", 0, 2, 10, 10));
    QTest::newRow("stalled in the second set")
        << QByteArrayList{two.first(30), two.sliced(30, 20)} << QStringList{"37 %", "63 %"} << true
        << QStringList{"1|24/01/01 00:00:00|1|3", "2|24/01/02 00:00:00|2|2"}
        << QStringLiteral("The meter stopped sending its memory after 50 of 79 bytes. "
                          "Data Logger shows the records received.");
    QTest::newRow("stalled in a set header")
        << QByteArrayList{two.first(30)} << QStringList{"37 %"} << true
        << QStringList{"1|24/01/01 00:00:00|1|3"}
        << QStringLiteral("The meter stopped sending its memory after 30 of 79 bytes. "
                          "Data Logger shows the records received.");
    QTest::newRow("stalled before the size word")
        << QByteArrayList{two.first(2)} << QStringList{} << false << QStringList{}
        << QStringLiteral("The meter stopped sending its memory before its size was known "
                          "(2 of 3 bytes).");
    QTest::newRow("nothing after the marker")
        << QByteArrayList{} << QStringList{} << false << QStringList{} << QString();
}

void TestLogger::reception() {
    QFETCH(QByteArrayList, reads);
    QFETCH(QStringList, progress);
    QFETCH(bool, memoryOpen);
    QFETCH(QStringList, grid);
    QFETCH(QString, message);
    const QString before = m_panel->display().LblMain.text;
    receive(reads);
    QCOMPARE(m_progress, progress);
    QCOMPARE(m_panel->display().LblMain.text, progress.isEmpty() ? before : progress.last());
    QCOMPARE(m_program->MemoryOpen(), memoryOpen);
    QCOMPARE(gridRows(m_program->memory()), grid);
    QCOMPARE(m_fakes->dialogs.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(m_fakes->dialogs.messages[0].text, message);
        QCOMPARE(m_fakes->dialogs.messages[0].icon, Dialogs::Icon::Warning);
    }
    QVERIFY(timersRunning());
}

void TestLogger::silenceOfFiveSecondsEndsTheReception() {
    // The frame's 0.2 s, the pause of 2 s, then 5 s of polls without a byte.
    receive({WorkedDump.first(10)});
    QCOMPARE(m_fakes->pump.waitedSeconds, 0.2 + 2 + 5);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QVERIFY(m_program->MemoryOpen());
}

void TestLogger::emptyMemoryDropsTheRest() {
    const QByteArray rest = QByteArray::fromHex("000000") + Frame;
    receive({QByteArray::fromHex("00ffff"), rest, Frame});
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages[0];
    QCOMPARE(message.text, QStringLiteral(" No Data in Memory!"));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
    QVERIFY(!m_program->MemoryOpen());
    QVERIFY(m_progress.isEmpty());
    // The rest was read once and dropped; the frame after it is the next tick's.
    QCOMPARE(m_fakes->serial.reads, QByteArrayList{Frame});
}

void TestLogger::closingPanelDuringADownloadEndsIt() {
    m_fakes->pump.onWait = [this](int waits) {
        if (waits == 6)
            m_panel->requestClose();
    };
    QByteArrayList slow;
    for (int i = 0; i < 20; ++i)
        slow << WorkedDump.sliced(i, 1);
    receive(slow);
    QCOMPARE(m_fakes->pump.waits, 6);
    QVERIFY(m_fakes->pump.quitting());
    QVERIFY(!m_program->MemoryOpen());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QVERIFY(timersStopped());
}

void TestLogger::secondDownloadReplacesTheWindow() {
    receive({WorkedDump});
    const QPointer<MemoryModel> first = m_program->memory();
    first->clickGridSetRow(1);
    const QPointer<ListWindowModel> list = m_program->dataList();
    receive({dumpOf(2, setOf("250101000000", 0, 5, 0, 0) + setOf("250102000000", 0, 6, 1, 1))});
    QVERIFY(!first || !first->isOpen());
    QCOMPARE(gridRows(m_program->memory()),
             (QStringList{"1|25/01/01 00:00:00|5|0", "2|25/01/02 00:00:00|6|1"}));
    // The listed set stays listed: only a new listing replaces "Data List".
    QCOMPARE(m_program->dataList(), list.data());
}

void TestLogger::allOf255SetsAreListed() {
    QByteArray sets;
    for (int i = 1; i <= 255; ++i)
        sets += setOf("240229235959", 0x40, i, 2, 2);
    receive({dumpOf(255, sets)});
    MemoryModel *memory = m_program->memory();
    QCOMPARE(memory->GridSet().rowCount(), 255);
    QCOMPARE(gridRows(memory).last(), QStringLiteral("255|24/02/29 23:59:59|255|2"));
    memory->clickGridSetRow(255);
    QCOMPARE(
        listRows(m_program->dataList()),
        (QStringList{QString::fromUtf8("K Type °F|     Date Time    |T1|T2|T1-T2"),
                     "1|24/02/29 23:59:59|0.1|20.0|-19.9", "2|24/03/01 00:04:14|0.2|20.0|-19.8"}));
}

void TestLogger::fillOfMSizeStaysWithinItsGauge_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("fill");
    // S = 3 + 12 + 4 × records + 516.
    QTest::newRow("S = 539") << 2 << 1;
    QTest::newRow("S = 32767, just below the capacity") << 8059 << 99;
    QTest::newRow("S = 32771, just above") << 8060 << 100;
    QTest::newRow("S = 65531, twice the capacity") << 16250 << 100;
}

void TestLogger::fillOfMSizeStaysWithinItsGauge() {
    QFETCH(int, records);
    QFETCH(int, fill);
    receive({dumpOf(1, setOf("240101000000", 0, 1, records, records))});
    QVERIFY(m_program->MemoryOpen());
    QCOMPARE(m_program->memory()->MSize(), fill);
    QCOMPARE(gridRows(m_program->memory()).constFirst().section(QLatin1Char('|'), 3),
             QString::number(records));
}

void TestLogger::listingHoldsTheTimersAndLeavesTheLiveValues() {
    receive({dumpOf(1, setOf("240101000000", 0x40, 1, 300, 300))});
    const LiveValues before = m_panel->live();
    bool stopped = true;
    QList<int> bars;
    m_fakes->pump.onYield = [&](int) {
        stopped &= timersStopped();
        bars << m_program->memory()->MBar();
    };
    m_program->memory()->clickGridSetRow(1);
    QVERIFY(stopped);
    QCOMPARE(bars.size(), 300); // events run after every record
    QCOMPARE(bars.first(), 0);  // 1 × 100 / 300
    QCOMPARE(bars.last(), 100);
    QVERIFY(std::is_sorted(bars.begin(), bars.end()));
    QVERIFY(timersRunning());
    QCOMPARE(m_program->dataList()->records().rowCount(), 300);
    QCOMPARE(m_program->dataList()->records().heading(0), QString::fromUtf8("K Type °F"));
    QCOMPARE(m_program->dataList()->records().cell(1, 299), QStringLiteral("24/01/01 00:04:59"));
    // The set's unit is the heading's alone: the meter's live unit and type stay.
    QCOMPARE(m_panel->live().UnitText, before.UnitText);
    QCOMPARE(m_panel->live().TypeText, before.TypeText);
    QCOMPARE(m_panel->live().status.Fahrenheit, before.status.Fahrenheit);
}

void TestLogger::shortUndatedAndEmptySetsList() {
    const QByteArray sets = setOf("241300000000", 0x80, 30, 3, 3) +
                            setOf("240101000000", 0x00, 30, 0, 0) +
                            setOf("240101120000", 0x00, 30, 10, 2);
    receive({dumpOf(3, sets)});
    MemoryModel *memory = m_program->memory();
    QCOMPARE(gridRows(memory), (QStringList{"1|24/13/00 00:00:00|30|3", "2|24/01/01 00:00:00|30|0",
                                            "3|24/01/01 12:00:00|30|2"}));
    // A start that is no date: every record carries the start's own text.
    memory->clickGridSetRow(1);
    QCOMPARE(
        listRows(m_program->dataList()).sliced(1),
        (QStringList{"1|24/13/00 00:00:00|0.1|20.0|-19.9", "2|24/13/00 00:00:00|0.2|20.0|-19.8",
                     "3|24/13/00 00:00:00|0.3|20.0|-19.7"}));
    // No records: only the heading changes.
    memory->clickGridSetRow(2);
    QCOMPARE(listRows(m_program->dataList()),
             QStringList{QString::fromUtf8("K Type °C|     Date Time    |T1|T2|T1-T2")});
    // The size word promised more: the set has the records that came.
    memory->clickGridSetRow(3);
    QCOMPARE(
        listRows(m_program->dataList()).sliced(1),
        (QStringList{"1|24/01/01 12:00:00|0.1|20.0|-19.9", "2|24/01/01 12:00:30|0.2|20.0|-19.8"}));
    QVERIFY(timersRunning());
}

void TestLogger::listingStopsCleanly_data() {
    QTest::addColumn<QString>("event");
    QTest::addColumn<bool>("listStaysOpen");
    QTest::addColumn<bool>("timersRun");
    QTest::newRow("Data List closed") << "close list" << false << true;
    QTest::newRow("Data Logger closed") << "close memory" << false << true;
    QTest::newRow("a dump marker arrives") << "dump" << false << true;
    QTest::newRow("another set clicked") << "click" << true << true;
    QTest::newRow("Panel closed") << "quit" << true << false;
}

void TestLogger::listingStopsCleanly() {
    QFETCH(QString, event);
    QFETCH(bool, listStaysOpen);
    QFETCH(bool, timersRun);
    receive({dumpOf(2, setOf("240101000000", 0, 1, 500, 500) + setOf("240101000000", 0, 1, 7, 7))});
    const QPointer<MemoryModel> memory = m_program->memory();
    const QByteArray next = dumpOf(1, setOf("250101000000", 0, 9, 1, 1));
    m_fakes->pump.onYield = [&](int yields) {
        if (yields != 10)
            return;
        if (event == "close list")
            m_program->dataList()->requestClose();
        else if (event == "close memory")
            memory->requestClose();
        else if (event == "click")
            memory->clickGridSetRow(2);
        else if (event == "quit")
            m_panel->requestClose();
        else if (event == "dump") // a tick that was under way when the listing began
            receive({next});
    };
    memory->clickGridSetRow(1);
    QCOMPARE(m_program->DataListOpen(), listStaysOpen);
    if (event == "click")
        QCOMPARE(m_program->dataList()->records().rowCount(), 7);
    if (event == "quit")
        QCOMPARE(m_program->dataList()->records().rowCount(), 10);
    if (event == "dump")
        QCOMPARE(gridRows(m_program->memory()), QStringList{"1|25/01/01 00:00:00|9|1"});
    QCOMPARE(timersRunning(), timersRun);
    if (!timersRun)
        QVERIFY(timersStopped());
}

void TestLogger::erase_data() {
    QTest::addColumn<bool>("viaMSize");
    QTest::addColumn<bool>("ok");
    QTest::newRow("MSize, OK") << true << true;
    QTest::newRow("SSPanel2, OK") << false << true;
    QTest::newRow("MSize, Cancel") << true << false;
    QTest::newRow("SSPanel2, Cancel") << false << false;
}

void TestLogger::erase() {
    QFETCH(bool, viaMSize);
    QFETCH(bool, ok);
    receive({WorkedDump});
    MemoryModel *memory = m_program->memory();
    m_fakes->dialogs.answers << (ok ? Dialogs::Answer::Ok : Dialogs::Answer::Cancel);
    const int waitsBefore = m_fakes->pump.waits;
    const double waitedBefore = m_fakes->pump.waitedSeconds;
    bool stoppedWhileWaiting = true;
    m_fakes->pump.onWait = [&](int) { stoppedWhileWaiting &= timersStopped(); };
    if (viaMSize)
        memory->clickMSize();
    else
        memory->clickSSPanel2();

    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &question = m_fakes->dialogs.messages[0];
    QCOMPARE(question.text, QStringLiteral("All saved data in memory will be deleted."));
    QCOMPARE(question.title, QStringLiteral("Warning"));
    QCOMPARE(question.buttons, Dialogs::Buttons::OkCancel);
    QCOMPARE(m_fakes->serial.written, ok ? QByteArray::fromHex("454545") : QByteArray());
    QCOMPARE(m_fakes->pump.waits - waitsBefore, ok ? 1 : 0);
    QCOMPARE(m_fakes->pump.waitedSeconds - waitedBefore, ok ? 2.0 : 0.0);
    QVERIFY(stoppedWhileWaiting);
    QVERIFY(timersRunning());
    // The grid is not changed by an erase.
    QCOMPARE(gridRows(m_program->memory()), QStringList{"1|12/09/24 10:20:30|60|2"});
}

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
