#include "records/record_file_writer.h"
#include "records/record_table.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
using Flush = RecordFileWriter::Flush;

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString DegreesC = QString::fromUtf8("°C");
} // namespace

class TestRecordFileWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void goldenBytes_data();
    void goldenBytes();
    void everyLineReachesTheFileAtOnce();
    void createTruncates();
    void tableRowRange();
    void failures_data();
    void failures();

private:
    QTemporaryDir m_dir;
};

void TestRecordFileWriter::goldenBytes_data() {
    QTest::addColumn<Flush>("flush");
    QTest::addColumn<QString>("calls");

    for (const QString calls : {"writeRecord", "writeRow", "writeTableRows"}) {
        QTest::addRow("every line, %s", qPrintable(calls)) << Flush::EveryLine << calls;
        QTest::addRow("at end, %s", qPrintable(calls)) << Flush::AtEnd << calls;
    }
}

void TestRecordFileWriter::goldenBytes() {
    QFETCH(Flush, flush);
    QFETCH(QString, calls);
    const QString dateTime = recordTimeStamp(QDateTime(QDate(2001, 5, 3), QTime(14, 25, 1)));
    const QString path = m_dir.filePath(QStringLiteral("golden.rdg"));

    RecordFileWriter writer(flush);
    QVERIFY(writer.create(path));
    QVERIFY(writer.isOpen());
    QCOMPARE(writer.fileName(), path);
    if (calls == "writeRecord") {
        QVERIFY(writer.writeHeading("K", DegreesC));
        QVERIFY(writer.writeRecord(1, dateTime, "25.3", "24.1", "1.2"));
    } else if (calls == "writeRow") {
        QVERIFY(writer.writeRow(headingRow("K", DegreesC)));
        QVERIFY(writer.writeRow({"1", dateTime, "25.3", "24.1", "1.2"}));
    } else {
        RecordTable table;
        table.appendRow({"0", "before", "", "", ""});
        table.appendRow({"1", dateTime, "25.3", "24.1", "1.2"});
        QVERIFY(writer.writeRow(headingRow("K", DegreesC)));
        QVERIFY(writer.writeTableRows(table, 1, table.rowCount()));
    }
    QVERIFY(writer.close());
    QVERIFY(!writer.isOpen());

    const QByteArray golden = fileBytes(QStringLiteral(THERMODESK_TEST_DATA "/records/golden.rdg"));
    QCOMPARE(golden, QByteArray("K Type \xB0"
                                "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n"
                                "1\t2001/05/03 14:25:01\t25.3\t24.1\t1.2\t\r\n"));
    QCOMPARE(fileBytes(path), golden);
}

void TestRecordFileWriter::everyLineReachesTheFileAtOnce() {
    // A recording's lines must be with the OS before the next sample, not at close.
    const QString path = m_dir.filePath(QStringLiteral("recording.rdg"));
    RecordFileWriter writer(Flush::EveryLine);
    QVERIFY(writer.create(path));
    QVERIFY(writer.writeHeading("J", QString::fromUtf8("°F")));
    QCOMPARE(fileBytes(path), QByteArray("J Type \xB0"
                                         "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n"));
    QVERIFY(writer.writeRecord(345600, "2001/05/07 14:25:00", "-OL", "OL", "----"));
    QVERIFY(fileBytes(path).endsWith("\r\n345600\t2001/05/07 14:25:00\t-OL\tOL\t----\t\r\n"));
}

void TestRecordFileWriter::createTruncates() {
    const QString path = m_dir.filePath(QStringLiteral("old.rdg"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    RecordFileWriter writer(Flush::AtEnd);
    QVERIFY(writer.create(path));
    QVERIFY(writer.writeRow({"a", "b", "c", "d", "e"}));
    QVERIFY(writer.close());
    QCOMPARE(fileBytes(path), QByteArray("a\tb\tc\td\te\t\r\n"));
}

void TestRecordFileWriter::tableRowRange() {
    RecordTable table;
    for (int i = 1; i <= 4; ++i)
        table.appendRow({QString::number(i), "t", "", "", ""});
    const QString path = m_dir.filePath(QStringLiteral("range.rdg"));
    RecordFileWriter writer(Flush::AtEnd);
    QVERIFY(writer.create(path));
    QVERIFY(writer.writeTableRows(table, 1, 3));
    QVERIFY(writer.writeTableRows(table, 3, 99)); // clamped to the table
    QVERIFY(writer.writeTableRows(table, 2, 2));  // nothing
    QVERIFY(writer.close());
    QCOMPARE(fileBytes(path), QByteArray("2\tt\t\t\t\t\r\n3\tt\t\t\t\t\r\n4\tt\t\t\t\t\r\n"));
}

void TestRecordFileWriter::failures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<Flush>("flush");
    QTest::addColumn<bool>("created");
    QTest::addColumn<bool>("lineAccepted"); // whether the first line's write reports success
    QTest::addColumn<QString>("reason");

    const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/a.rdg"));
    QTest::newRow("missing folder")
        << missing << Flush::EveryLine << false << false << "No such file or directory";
    // /dev/full accepts the open and refuses every write with ENOSPC.
    QTest::newRow("disk full, every line")
        << "/dev/full" << Flush::EveryLine << true << false << "No space left on device";
    QTest::newRow("disk full, at end")
        << "/dev/full" << Flush::AtEnd << true << true << "No space left on device";
}

void TestRecordFileWriter::failures() {
    QFETCH(QString, path);
    QFETCH(Flush, flush);
    QFETCH(bool, created);
    QFETCH(bool, lineAccepted);
    QFETCH(QString, reason);
    if (path == "/dev/full" && !QFile::exists(path))
        QSKIP("no /dev/full on this system");

    RecordFileWriter writer(flush);
    QCOMPARE(writer.create(path), created);
    QCOMPARE(writer.writeHeading("K", DegreesC), lineAccepted);
    QVERIFY(!writer.close());
    QVERIFY2(writer.errorString().contains(reason), qPrintable(writer.errorString()));
    // Nothing more is written once a write failed or nothing is open.
    QVERIFY(!writer.writeRecord(1, "x", "", "", ""));
}

QTEST_GUILESS_MAIN(TestRecordFileWriter)
#include "tst_record_file_writer.moc"
