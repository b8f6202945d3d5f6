// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"
#include "fakes/small_disk.h"
#include "fakes/system_texts.h"
#include "records/record_file_writer.h"
#include "records/record_table.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {
using Flush = RecordFileWriter::Flush;

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
    void saveOverAnOldFile_data();
    void saveOverAnOldFile();
    void saveThroughALink_data();
    void saveThroughALink();
    void recordingOnAFillingDiskEndsWithAWholeLine();

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
        << missing << Flush::EveryLine << false << false << SystemText::FolderNotFound;
    QTest::newRow("missing folder, at end")
        << missing << Flush::AtEnd << false << false << SystemText::FolderNotFound;
    QTest::newRow("a folder, at end")
        << m_dir.path() << Flush::AtEnd << false << false << SystemText::IsAFolder;
#if !defined(Q_OS_WIN)
    // /dev/full accepts the open and refuses every write with ENOSPC.
    QTest::newRow("disk full, every line")
        << "/dev/full" << Flush::EveryLine << true << false << "No space left on device";
    QTest::newRow("disk full, at end")
        << "/dev/full" << Flush::AtEnd << true << true << "No space left on device";
#endif
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

void TestRecordFileWriter::saveOverAnOldFile_data() {
    QTest::addColumn<bool>("smallDisk"); // a 64 KiB file system the list does not fit on
    QTest::addColumn<QString>("end");    // close, discard, or drop the writer unclosed
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QString>("reason");

    QTest::newRow("written whole") << false << "close" << true << "";
    QTest::newRow("disk fills up") << true << "close" << false << "No space left on device";
    QTest::newRow("abandoned") << false << "discard" << false << "";
    QTest::newRow("writer dropped unclosed") << false << "drop" << false << "";
}

void TestRecordFileWriter::saveOverAnOldFile() {
    QFETCH(bool, smallDisk);
    QFETCH(QString, end);
    QFETCH(bool, replaced);
    QFETCH(QString, reason);

    const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    std::optional<SmallDisk> disk;
    if (smallDisk) {
        disk.emplace(folder, 64 * 1024);
        if (!disk->mounted())
            QSKIP(qPrintable(disk->why()));
    }
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("old.rdg"));
    QByteArray oldBytes;
    for (int i = 1; i <= 100; ++i)
        oldBytes += "old\t" + QByteArray::number(i) + "\t\t\t\t\r\n";
    const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser | QFile::ReadGroup;
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write(oldBytes), oldBytes.size());
        QVERIFY(old.setPermissions(permissions));
    }

    RecordTable table;
    QByteArray newBytes;
    for (int i = 1; i <= 3000; ++i) {
        const QString n = QString::number(i);
        table.appendRow({n, "2001/05/03 14:25:01", "25.3", "240", "-214.7"});
        newBytes += n.toLatin1() + "\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n";
    }
    auto writer = std::make_unique<RecordFileWriter>(Flush::AtEnd);
    QVERIFY(writer->create(path));
    QVERIFY(writer->writeTableRows(table, 0, table.rowCount()));
    // While the save runs, the old file is whole and the new one grows beside it.
    QCOMPARE(fileBytes(path), oldBytes);
    QCOMPARE(folderEntries(folder).size(), 2);
    if (end == "close")
        QCOMPARE(writer->close(), replaced);
    else if (end == "discard")
        writer->discard();
    else
        writer.reset();
    QCOMPARE(fileBytes(path), replaced ? newBytes : oldBytes);
#if !defined(Q_OS_WIN) // a new file there takes its folder's permissions, as every new file
    QCOMPARE(QFile::permissions(path), permissions);
#endif
    QCOMPARE(folderEntries(folder), QStringList{"old.rdg"}); // no temporary file left behind
    if (writer)
        QVERIFY2(writer->errorString().contains(reason), qPrintable(writer->errorString()));
}

void TestRecordFileWriter::saveThroughALink_data() {
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("link to a file") << true;
    QTest::newRow("link to a file not made yet") << false;
}

void TestRecordFileWriter::saveThroughALink() {
    // The link is what the user chose; the file it leads to gets the list.
#if defined(Q_OS_WIN)
    QSKIP("a symbolic link takes an administrator on Windows (QFile::link makes a shortcut)");
#endif
    QFETCH(bool, targetExists);
    const QDir folder(m_dir.filePath(QString::fromLatin1(QTest::currentDataTag())));
    QVERIFY(folder.mkpath(QStringLiteral("files")));
    const QString target = folder.filePath(QStringLiteral("files/list.rdg"));
    if (targetExists) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    const QString link = folder.filePath(QStringLiteral("link.rdg"));
    QVERIFY(QFile::link(QStringLiteral("files/list.rdg"), link));

    RecordFileWriter writer(Flush::AtEnd);
    QVERIFY(writer.create(link));
    QVERIFY(writer.writeRow({"a", "b", "c", "d", "e"}));
    QVERIFY(writer.close());
    QCOMPARE(writer.fileName(), link);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(fileBytes(target), QByteArray("a\tb\tc\td\te\t\r\n"));
    QCOMPARE(folderEntries(folder.filePath(QStringLiteral("files"))), QStringList{"list.rdg"});
    QCOMPARE(folderEntries(folder.path()), (QStringList{"files", "link.rdg"}));
}

void TestRecordFileWriter::recordingOnAFillingDiskEndsWithAWholeLine() {
    // One free page: the disk fills up in the middle of some record line.
    SmallDisk disk(m_dir.filePath(QStringLiteral("recording")), 2 * 4096);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    {
        QFile filler(disk.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        QCOMPARE(filler.write(QByteArray(4096, 'f')), 4096);
    }
    const QString path = disk.filePath(QStringLiteral("recording.rdg"));
    RecordFileWriter writer(Flush::EveryLine);
    QVERIFY(writer.create(path));
    QVERIFY(writer.writeHeading("K", DegreesC));
    QByteArray whole = fileBytes(path);
    int number = 1;
    for (; number < 1000; ++number) {
        if (!writer.writeRecord(number, "2001/05/03 14:25:01", "25.3", "240", "-214.7"))
            break;
        whole += QByteArray::number(number) + "\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n";
    }
    QVERIFY2(number > 50 && number < 1000, qPrintable(QString::number(number)));
    QVERIFY(!writer.close());
    // Every line that was reported written is there, and nothing of the one that failed.
    QCOMPARE(fileBytes(path), whole);
    QVERIFY2(writer.errorString().contains("No space left on device"),
             qPrintable(writer.errorString()));
}

QTEST_GUILESS_MAIN(TestRecordFileWriter)
#include "tst_record_file_writer.moc"
