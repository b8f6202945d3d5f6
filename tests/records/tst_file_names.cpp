// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/file_names.h"

#include <QDateTime>
#include <QTest>

class TestFileNames : public QObject {
    Q_OBJECT

private slots:
    void continuation_data();
    void continuation();
    void listDump_data();
    void listDump();
};

void TestFileNames::continuation_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first part") << "data.rdg" << 1 << "data001.rdg";
    QTest::newRow("no dot gets part + 1") << "data" << 1 << "data002";
    QTest::newRow("split at the first dot") << "a.b.rdg" << 1 << "a001.b.rdg";
    QTest::newRow("absolute path") << "/home/op/run.rdg" << 12 << "/home/op/run012.rdg";
    QTest::newRow("dotted folder") << "/home/op.lab/data.rdg" << 1 << "/home/op.lab/data001.rdg";
    QTest::newRow("dotted folder, name without dot")
        << "/home/op.lab/data" << 1 << "/home/op.lab/data002";
    QTest::newRow("backslash folders")
        << "C:\\Logs.old\\run.rdg" << 3 << "C:\\Logs.old\\run003.rdg";
    QTest::newRow("mixed separators") << "C:\\a.b/c.d\\run" << 1 << "C:\\a.b/c.d\\run002";
    QTest::newRow("name starting with a dot") << "/tmp/.rdg" << 1 << "/tmp/001.rdg";
    QTest::newRow("part 999") << "data.rdg" << 999 << "data999.rdg";
    QTest::newRow("past 999") << "data.rdg" << 1000 << "data1000.rdg";
    QTest::newRow("no dot, past 999") << "data" << 999 << "data1000";
}

void TestFileNames::continuation() {
    QFETCH(QString, chosen);
    QFETCH(int, part);
    QFETCH(QString, expected);
    QCOMPARE(continuationFileName(chosen, part), expected);
}

void TestFileNames::listDump_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");

    QTest::newRow("afternoon") << QDateTime(QDate(2001, 5, 3), QTime(14, 25, 1))
                               << "0503142501.rdg";
    QTest::newRow("morning, last day")
        << QDateTime(QDate(2024, 12, 31), QTime(9, 5, 7)) << "1231090507.rdg";
}

void TestFileNames::listDump() {
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(listDumpFileName(now), expected);
}

QTEST_GUILESS_MAIN(TestFileNames)
#include "tst_file_names.moc"
