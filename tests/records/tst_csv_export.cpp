// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"
#include "fakes/system_texts.h"
#include "records/csv_export.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Heading = "K Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
const QByteArray CsvHeader = "record,time,T1,T2,T1-T2,type,unit\r\n";
const QByteArray DegreesC = "\xC2\xB0"
                            "C";

QByteArray recordLine(int number) {
    return QByteArray::number(number) + "\t2001/05/03 14:25:01\t25.3\tOL\t----\t\r\n";
}

QByteArray csvLine(int number) {
    return QByteArray::number(number) + ",2001-05-03T14:25:01,25.3,,,K," + DegreesC + "\r\n";
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// A record file converted to CSV as `--export-csv` does: what can be read of a damaged file
// is kept and the rest counted; a failure leaves no CSV file behind.
class TestCsvExport : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void convertsWhatCanBeRead_data();
    void convertsWhatCanBeRead();
    void aLongFilePassesInBlocks();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestCsvExport::convertsWhatCanBeRead_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("records");
    QTest::addColumn<QList<qint64>>("refused");

    QTest::newRow("whole") << Heading + recordLine(1) + recordLine(2)
                           << CsvHeader + csvLine(1) + csvLine(2) << 2 << QList<qint64>{};
    QTest::newRow("empty file: the header only")
        << QByteArray() << CsvHeader << 0 << QList<qint64>{};
    QTest::newRow("lines that cannot be split are left out, the rest kept")
        << Heading + recordLine(1) + "\r\n" + "2\t2001/05/03 14:25:01\t25.3\t1\r\n" +
               recordLine(3) + "garbage\r\n" + recordLine(5)
        << CsvHeader + csvLine(1) + csvLine(3) + csvLine(5) << 3 << QList<qint64>{3, 4, 6};
    QTest::newRow("a heading without TAB: records without type and unit")
        << "K Type \xB0"
           "C\r\n" +
               recordLine(1)
        << CsvHeader + "1,2001-05-03T14:25:01,25.3,,,,\r\n"
        << 1 << QList<qint64>{1};
    QTest::newRow("the degree sign in UTF-8, no final line end")
        << QByteArray(
               "J Type \xC2\xB0"
               "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n1\t01/05/03 14:25:01\t77.5\t-OL\t----\t")
        << CsvHeader + "1,2001-05-03T14:25:01,77.5,,,J,\xC2\xB0"
                       "F\r\n"
        << 1 << QList<qint64>{};
}

void TestCsvExport::convertsWhatCanBeRead() {
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, csv);
    QFETCH(int, records);
    QFETCH(QList<qint64>, refused);

    QVERIFY(writeFile(path("in.rdg"), record));
    const CsvExport::FileResult result = CsvExport::convertFile(path("in.rdg"), path("out.csv"));
    QVERIFY2(result.written, qPrintable(result.error));
    QCOMPARE(fileBytes(path("out.csv")), csv);
    QCOMPARE(result.records, qint64(records));
    QCOMPARE(result.linesRefused, refused.size());
    QCOMPARE(result.firstRefusedLines, refused);
    QVERIFY(!isFileOpen(path("out.csv")));
    QVERIFY(!isFileOpen(path("in.rdg")));
}

void TestCsvExport::aLongFilePassesInBlocks() {
    // More records than one block holds, with refused lines among them: every record is
    // there once, in order; the count of refused lines goes on past the few named.
    constexpr int Records = 150000;
    QByteArray record = Heading, csv = CsvHeader;
    QList<qint64> refused;
    for (int number = 1; number <= Records; ++number) {
        record += recordLine(number);
        csv += csvLine(number);
        if (number % 20000 == 0) {
            record += "\r\n";
            refused << number + 2 + refused.size(); // after the heading and earlier lines
        }
    }
    QVERIFY(writeFile(path("long.rdg"), record));
    const CsvExport::FileResult result = CsvExport::convertFile(path("long.rdg"), path("long.csv"));
    QVERIFY2(result.written, qPrintable(result.error));
    QCOMPARE(result.records, qint64(Records));
    QCOMPARE(result.linesRefused, refused.size());
    QCOMPARE(result.firstRefusedLines, refused.first(5));
    QVERIFY(fileBytes(path("long.csv")) == csv);
}

void TestCsvExport::failuresLeaveNoFile_data() {
    QTest::addColumn<QString>("input");  // %1: the test's folder
    QTest::addColumn<QString>("output"); // %1: the test's folder
    QTest::addColumn<QString>("reason");

    QTest::newRow("no such record file") << "%1/missing.rdg"
                                         << "%1/out.csv" << SystemText::FileNotFound;
    QTest::newRow("a folder as record file") << "%1"
                                             << "%1/out.csv"
                                             << "Not a regular file";
    QTest::newRow("no such folder for the CSV file")
        << "%1/in.rdg"
        << "%1/missing/out.csv" << SystemText::FolderNotFound;
    QTest::newRow("the record file itself as CSV file")
        << "%1/in.rdg"
        << "%1/./in.rdg"
        << "the CSV file would replace the record file";
#if !defined(Q_OS_WIN) // a device that takes no byte
    QTest::newRow("disk full") << "%1/in.rdg"
                               << "/dev/full"
                               << "No space left on device";
#endif
}

void TestCsvExport::failuresLeaveNoFile() {
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, reason);
    const QString folder = path(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(QDir().mkpath(folder));
    input.replace(QStringLiteral("%1"), folder);
    output.replace(QStringLiteral("%1"), folder);
    const QString recordPath = QDir(folder).filePath(QStringLiteral("in.rdg"));
    const QByteArray record = Heading + recordLine(1);
    QVERIFY(writeFile(recordPath, record));

    const CsvExport::FileResult result = CsvExport::convertFile(input, output);
    QVERIFY(!result.written);
    QVERIFY2(result.error.contains(reason), qPrintable(result.error));
    QCOMPARE(folderEntries(folder), QStringList{"in.rdg"}); // nothing left behind
    QCOMPARE(fileBytes(recordPath), record);
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csv_export.moc"
