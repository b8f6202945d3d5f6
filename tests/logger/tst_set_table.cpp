// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/logger_set.h"
#include "logger/record_clock.h"
#include "logger/set_table.h"
#include "logger/set_table_model.h"

#include <QAbstractItemModelTester>
#include <QDateTime>
#include <QTest>

namespace {

// A set header: start bytes (six BCD), status byte A, sampling time, claimed record count.
QByteArray header(const char *startHex, quint8 statusA, int sampling, int records) {
    QByteArray bytes = QByteArray::fromHex(startHex);
    bytes += char(statusA);
    bytes += char(0);
    bytes += char(sampling >> 8);
    bytes += char(sampling & 0xFF);
    bytes += char(records >> 8);
    bytes += char(records & 0xFF);
    return bytes;
}

// A whole set with `records` records of T1 = 25.3 and T2 = k.
QByteArray wholeSet(const char *startHex, int sampling, int records) {
    QByteArray bytes = header(startHex, 0x00, sampling, records);
    for (int k = 1; k <= records; ++k)
        bytes += QByteArray::fromHex("80fd") + char(0) + char(k & 0xFF);
    return bytes;
}

// "set: time sampling records" for every set of a table.
QStringList describe(const SetTable &table) {
    QStringList sets;
    for (int i = 1; i <= table.count(); ++i) {
        const LoggerSet &set = table.set(i);
        sets << QStringLiteral("%1: %2 %3 %4")
                    .arg(i)
                    .arg(set.SetTime)
                    .arg(set.SetSampling)
                    .arg(set.SetRecords);
    }
    return sets;
}

} // namespace

// The split of a dump into its sets, the record times by the calendar, and the record rows.
class TestSetTable : public QObject {
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void manySetsAreAllKept();
    void setDataHoldsWholeRecordsOnly();

    void recordTime_data();
    void recordTime();
    void recordTimeFollowsTheCalendar();

    void recordRows();
    void headingComesFromTheSetsOwnStatus_data();
    void headingComesFromTheSetsOwnStatus();

    void gridSetModel();
};

void TestSetTable::split_data() {
    QTest::addColumn<int>("announced");
    QTest::addColumn<QByteArray>("sets");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("dumpPos");

    const QByteArray a = wholeSet("120924102030", 60, 2);
    const QByteArray b = wholeSet("130101000000", 1, 0);
    QTest::newRow("no sets") << 0 << QByteArray() << QStringList{} << 0;
    QTest::newRow("no sets, bytes left over") << 0 << a << QStringList{} << 0;
    QTest::newRow("one set") << 1 << a << QStringList{"1: 12/09/24 10:20:30 60 2"} << 20;
    QTest::newRow("a set without records")
        << 2 << a + b << QStringList{"1: 12/09/24 10:20:30 60 2", "2: 13/01/01 00:00:00 1 0"} << 32;
    QTest::newRow("more sets announced than present")
        << 5 << a + b << QStringList{"1: 12/09/24 10:20:30 60 2", "2: 13/01/01 00:00:00 1 0"} << 32;
    QTest::newRow("fewer sets announced than present")
        << 1 << a + b << QStringList{"1: 12/09/24 10:20:30 60 2"} << 20;
    QTest::newRow("header cut short")
        << 2 << a + b.first(11) << QStringList{"1: 12/09/24 10:20:30 60 2"} << 20;
    QTest::newRow("set claims more records than came")
        << 1 << header("991231235959", 0, 0xFFFF, 0xFFFF) + QByteArray(4 * 3 + 2, '\x11')
        << QStringList{"1: 99/12/31 23:59:59 65535 3"} << 24;
    QTest::newRow("set longer than the dump, then nothing")
        << 3 << a.first(18) << QStringList{"1: 12/09/24 10:20:30 60 1"} << 16;
    QTest::newRow("start bytes that are no date")
        << 1 << header("1a13000000ff", 0, 5, 0) << QStringList{"1: 1A/13/00 00:00:FF 5 0"} << 12;
}

void TestSetTable::split() {
    QFETCH(int, announced);
    QFETCH(QByteArray, sets);
    QFETCH(QStringList, expected);
    QFETCH(int, dumpPos);
    const SetTable table = SetTable::split(announced, sets);
    QCOMPARE(describe(table), expected);
    QCOMPARE(table.DumpPos(), dumpPos);
    QCOMPARE(table.announced(), announced);
}

void TestSetTable::manySetsAreAllKept() {
    // 255 sets, the most a dump can announce: none is dropped at 99.
    QByteArray sets;
    for (int i = 0; i < 255; ++i)
        sets += wholeSet("240229120000", i, i % 3);
    const SetTable table = SetTable::split(255, sets);
    QCOMPARE(table.count(), 255);
    QCOMPARE(table.DumpPos(), sets.size());
    QCOMPARE(table.set(100).SetSampling, 99);
    QCOMPARE(table.set(255).SetSampling, 254);
    QCOMPARE(table.set(255).SetRecords, 254 % 3);
}

void TestSetTable::setDataHoldsWholeRecordsOnly() {
    const QByteArray full = wholeSet("120924102030", 60, 5);
    const SetTable table = SetTable::split(1, full.first(full.size() - 1));
    const LoggerSet &set = table.set(1);
    QCOMPARE(set.claimedRecords(), 5);
    QCOMPARE(set.SetRecords, 4);
    QCOMPARE(set.SetData, full.first(12 + 4 * 4));
}

void TestSetTable::recordTime_data() {
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<int>("sampling");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first record at the start")
        << QByteArray::fromHex("120924102030") << 60 << 1 << "12/09/24 10:20:30";
    QTest::newRow("second record")
        << QByteArray::fromHex("120924102030") << 60 << 2 << "12/09/24 10:21:30";
    QTest::newRow("into the next year")
        << QByteArray::fromHex("121231235930") << 60 << 2 << "13/01/01 00:00:30";
    QTest::newRow("leap day") << QByteArray::fromHex("120228230000") << 3600 << 2
                              << "12/02/29 00:00:00";
    QTest::newRow("no leap day in 2013")
        << QByteArray::fromHex("130228230000") << 3600 << 2 << "13/03/01 00:00:00";
    QTest::newRow("2099 into 2100, which has no leap day")
        << QByteArray::fromHex("991231000000") << 86400 << 61 << "00/03/01 00:00:00";
    QTest::newRow("the longest set, the longest sampling")
        << QByteArray::fromHex("000101000000") << 65535 << 65535 << "36/02/04 23:51:30";
    QTest::newRow("sampling 0") << QByteArray::fromHex("120924102030") << 0 << 500
                                << "12/09/24 10:20:30";
    QTest::newRow("not BCD: the start's own text")
        << QByteArray::fromHex("1209241020ab") << 60 << 2 << "12/09/24 10:20:AB";
    QTest::newRow("month 13") << QByteArray::fromHex("121301000000") << 60 << 3
                              << "12/13/01 00:00:00";
    QTest::newRow("day 0") << QByteArray::fromHex("120100000000") << 60 << 3 << "12/01/00 00:00:00";
    QTest::newRow("February 30") << QByteArray::fromHex("120230000000") << 60 << 3
                                 << "12/02/30 00:00:00";
    QTest::newRow("29 February of a common year")
        << QByteArray::fromHex("130229000000") << 60 << 3 << "13/02/29 00:00:00";
    QTest::newRow("hour 24") << QByteArray::fromHex("120101240000") << 60 << 3
                             << "12/01/01 24:00:00";
    QTest::newRow("second 60") << QByteArray::fromHex("120101000060") << 60 << 3
                               << "12/01/01 00:00:60";
}

void TestSetTable::recordTime() {
    QFETCH(QByteArray, start);
    QFETCH(int, sampling);
    QFETCH(int, k);
    QFETCH(QString, expected);
    QCOMPARE(RecordClock(start, sampling).text(k), expected);
}

void TestSetTable::recordTimeFollowsTheCalendar() {
    // Every 7th day and 13 hours over a century against Qt's own calendar, in UTC.
    const RecordClock clock(QByteArray::fromHex("000101000000"), 7 * 86400 + 13 * 3600 + 7);
    const QDateTime start(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    for (int k = 1; k <= 5300; ++k) {
        const QDateTime when = start.addSecs(qint64(k - 1) * (7 * 86400 + 13 * 3600 + 7));
        QCOMPARE(clock.text(k), when.toString(QStringLiteral("yy/MM/dd HH:mm:ss")));
    }
}

void TestSetTable::recordRows() {
    // The worked set: J, °C, 60 s, two records with a reading under range.
    const SetTable table =
        SetTable::split(1, QByteArray::fromHex("120924102030810000 3c0002 80fd8100 ff0080fa"));
    const LoggerSet &set = table.set(1);
    const RecordClock clock = set.clock();
    QCOMPARE(set.record(1, clock), (RecordRow{"1", "12/09/24 10:20:30", "25.3", "25.6", "-0.3"}));
    QCOMPARE(set.record(2, clock), (RecordRow{"2", "12/09/24 10:21:30", "-OL", "25.0", "----"}));
}

void TestSetTable::headingComesFromTheSetsOwnStatus_data() {
    QTest::addColumn<int>("statusA");
    QTest::addColumn<QString>("heading");
    QTest::newRow("K, °C") << 0x00 << QString::fromUtf8("K Type °C");
    QTest::newRow("K, °F") << 0x40 << QString::fromUtf8("K Type °F");
    QTest::newRow("J, °C, other flags") << 0xBF << QString::fromUtf8("J Type °C");
    QTest::newRow("J, °F") << 0xC0 << QString::fromUtf8("J Type °F");
}

void TestSetTable::headingComesFromTheSetsOwnStatus() {
    QFETCH(int, statusA);
    QFETCH(QString, heading);
    const SetTable table = SetTable::split(1, header("120924102030", quint8(statusA), 1, 0));
    QCOMPARE(table.set(1).heading(), heading);
}

void TestSetTable::gridSetModel() {
    SetTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 0);
    model.setSets(
        SetTable::split(2, wholeSet("120924102030", 60, 2) + header("121231235930", 0x00, 1, 300)));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 4);
    QStringList headings;
    for (int column = 0; column < 4; ++column)
        headings << model.headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{"Set", "Rec Time", "Sampling", "Records"}));
    QStringList second;
    for (int column = 0; column < 4; ++column)
        second << model.index(1, column).data().toString();
    // The second set claims 300 records and brings none.
    QCOMPARE(second, (QStringList{"2", "12/12/31 23:59:30", "1", "0"}));
}

QTEST_GUILESS_MAIN(TestSetTable)
#include "tst_set_table.moc"
