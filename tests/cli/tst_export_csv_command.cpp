// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_line.h"
#include "cli/export_csv_command.h"
#include "fakes/file_checks.h"
#include "fakes/system_texts.h"

#include <QDir>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Heading = "K Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
const QByteArray Records = "1\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n"
                           "2\t2001/05/03 14:25:02\tOL\t-OL\t----\t\r\n";
const QByteArray Csv = "record,time,T1,T2,T1-T2,type,unit\r\n"
                       "1,2001-05-03T14:25:01,25.3,240,-214.7,K,\xC2\xB0"
                       "C\r\n"
                       "2,2001-05-03T14:25:02,,,,K,\xC2\xB0"
                       "C\r\n";
const QByteArray OldCsv = "an older export\r\n";

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// `thermodesk --export-csv`: its exit code, what it says on standard error, and the CSV file
// it leaves, for a sound and a damaged record file and for what it must refuse.
class TestExportCsvCommand : public QObject {
    Q_OBJECT

private slots:
    void exports_data();
    void exports();
};

void TestExportCsvCommand::exports_data() {
    QTest::addColumn<QByteArray>("record");   // empty: no record file at all
    QTest::addColumn<QByteArray>("existing"); // the CSV file before; empty: none
    QTest::addColumn<bool>("force");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("csv");   // the CSV file after; empty: none
    QTest::addColumn<QStringList>("said"); // IN and OUT stand for the files' paths

    QTest::newRow("sound file") << Heading + Records << QByteArray() << false << 0 << Csv
                                << QStringList{"thermodesk: 2 records exported to OUT"};
    QTest::newRow("damaged file: what can be read, and how much could not")
        << Heading + "1\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n\r\n"
                     "bad\r\n2\t2001/05/03 14:25:02\tOL\t-OL\t----\t\r\n"
        << QByteArray() << false << 1 << Csv
        << QStringList{"thermodesk: 2 records exported to OUT",
                       "thermodesk: 2 lines of IN could not be read and were left out (lines "
                       "3, 4)"};
    QTest::newRow("the CSV file exists") << Heading + Records << OldCsv << false << 1 << OldCsv
                                         << QStringList{"thermodesk: OUT exists; --force "
                                                        "overwrites it"};
    QTest::newRow("the CSV file exists, --force")
        << Heading + Records << OldCsv << true << 0 << Csv
        << QStringList{"thermodesk: 2 records exported to OUT"};
    QTest::newRow("no record file")
        << QByteArray() << QByteArray() << false << 1 << QByteArray()
        << QStringList{"thermodesk: cannot export IN to OUT: " + SystemText::FileNotFound};
}

void TestExportCsvCommand::exports() {
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, existing);
    QFETCH(bool, force);
    QFETCH(QByteArray, csv);
    QFETCH(QStringList, said);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    CommandLine line;
    line.mode = CommandLine::Mode::ExportCsv;
    line.exportInput = dir.filePath(QStringLiteral("in.rdg"));
    line.exportOutput = dir.filePath(QStringLiteral("out.csv"));
    line.force = force;
    if (!record.isEmpty())
        QVERIFY(writeFile(line.exportInput, record));
    if (!existing.isEmpty())
        QVERIFY(writeFile(line.exportOutput, existing));

    QStringList lines;
    QTEST(ExportCsvCommand::run(line, [&lines](const QString &text) { lines << text; }),
          "exitCode");
    said.replaceInStrings(QStringLiteral("IN"), QDir::toNativeSeparators(line.exportInput));
    said.replaceInStrings(QStringLiteral("OUT"), QDir::toNativeSeparators(line.exportOutput));
    QCOMPARE(lines, said);
    QCOMPARE(QFile::exists(line.exportOutput), !csv.isEmpty());
    if (!csv.isEmpty())
        QCOMPARE(fileBytes(line.exportOutput), csv);
    // Nothing beside: no temporary file, nothing named otherwise.
    QStringList files;
    if (!record.isEmpty())
        files << QStringLiteral("in.rdg");
    if (!csv.isEmpty())
        files << QStringLiteral("out.csv");
    QCOMPARE(folderEntries(dir.path()), files);
}

QTEST_GUILESS_MAIN(TestExportCsvCommand)
#include "tst_export_csv_command.moc"
