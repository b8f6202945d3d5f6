// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_line.h"
#include "cli/stats_command.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Heading = "K Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
const QByteArray Records = "1\t2001/05/03 23:59:59\t25.3\t240\t-214.7\t\r\n"
                           "2\t2001/05/04 00:00:00\tOL\t-OL\t----\t\r\n"
                           "3\t2001/05/04 00:00:01\t24.9\t239.5\t-214.6\t\r\n";

} // namespace

// `thermodesk --stats`: what it prints for a span of a record file, plain and as CSV, and
// what it refuses.
class TestStatsCommand : public QObject {
    Q_OBJECT

private slots:
    void prints_data();
    void prints();
};

void TestStatsCommand::prints_data() {
    QTest::addColumn<QByteArray>("record"); // empty: no record file at all
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // IN stands for the file's path
    QTest::addColumn<QString>("said");

    QTest::newRow("whole file")
        << Heading + Records << QStringList{} << 0
        << "IN: K Type °C, records 1 to 3\n"
           "T1  min 24.9 (No. 3, 2001/05/04 00:00:01)  max 25.3 (No. 1, 2001/05/03 23:59:59)  "
           "mean 25.10  OL 1  -OL 0  ---- 0\n"
           "T2  min 239.5 (No. 3, 2001/05/04 00:00:01)  max 240 (No. 1, 2001/05/03 23:59:59)  "
           "mean 239.75  OL 0  -OL 1  ---- 0\n"
           "T1-T2  min -214.7 (No. 1, 2001/05/03 23:59:59)  max -214.6 (No. 3, 2001/05/04 "
           "00:00:01)  mean -214.65  OL 0  -OL 0  ---- 1\n"
        << "";
    QTest::newRow("one record as CSV")
        << Heading + Records << QStringList{"--from", "2", "--to", "2", "--csv"} << 0
        << "channel,from,to,min,min record,min time,max,max record,max time,mean,numbers,OL,"
           "'-OL,'----\r\n"
           "T1,2,2,,,,,,,,0,1,0,0\r\n"
           "T2,2,2,,,,,,,,0,0,1,0\r\n"
           "T1-T2,2,2,,,,,,,,0,0,0,1\r\n"
        << "";
    QTest::newRow("negative readings as CSV stay numbers")
        << Heading + Records << QStringList{"--csv"} << 0
        << "channel,from,to,min,min record,min time,max,max record,max time,mean,numbers,OL,"
           "'-OL,'----\r\n"
           "T1,1,3,24.9,3,2001/05/04 00:00:01,25.3,1,2001/05/03 23:59:59,25.10,2,1,0,0\r\n"
           "T2,1,3,239.5,3,2001/05/04 00:00:01,240,1,2001/05/03 23:59:59,239.75,2,0,1,0\r\n"
           "T1-T2,1,3,-214.7,1,2001/05/03 23:59:59,-214.6,3,2001/05/04 00:00:01,-214.65,2,0,0,1\r\n"
        << "";
    QTest::newRow("a span past the end")
        << Heading + Records << QStringList{"--from", "2", "--to", "4"} << 1 << ""
        << "thermodesk: IN holds records 1 to 3: no records 2 to 4";
    QTest::newRow("no records") << Heading << QStringList{} << 1 << ""
                                << "thermodesk: IN holds no records";
    QTest::newRow("no file") << QByteArray() << QStringList{} << 1 << ""
                             << "thermodesk: cannot read IN: ";
}

void TestStatsCommand::prints() {
    QFETCH(QByteArray, record);
    QFETCH(QStringList, options);
    QFETCH(QString, out);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("run.rdg"));
    if (!record.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(record), record.size());
    }
    const CommandLine line = CommandLine::parse(
        QStringList{QStringLiteral("thermodesk"), QStringLiteral("--stats"), path} + options);
    QCOMPARE(line.mode, CommandLine::Mode::Stats);
    QString printed;
    QStringList lines;
    const int exitCode = StatsCommand::run(
        line, [&](const QString &text) { printed += text; },
        [&](const QString &text) { lines << text; });
    QTEST(exitCode, "exitCode");
    const QString native = QDir::toNativeSeparators(path);
    QCOMPARE(printed, QString(out).replace(QStringLiteral("IN"), native));
    if (said.isEmpty()) {
        QVERIFY2(lines.isEmpty(), qPrintable(lines.join(QLatin1Char('\n'))));
    } else {
        // A missing file ends with the system's own words.
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().startsWith(QString(said).replace(QStringLiteral("IN"), native)),
                 qPrintable(lines.first()));
    }
}

QTEST_GUILESS_MAIN(TestStatsCommand)
#include "tst_stats_command.moc"
