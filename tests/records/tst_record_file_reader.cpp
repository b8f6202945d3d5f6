// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_table.h"
#include "records/windows1252.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "fakes/system_texts.h"

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {
using Step = RecordFileReader::Step;

QString fixture(const QString &name) {
    return QStringLiteral(THERMODESK_TEST_DATA "/records/") + name;
}

QChar stepLetter(Step step) {
    switch (step) {
    case Step::Heading:
        return 'H';
    case Step::Record:
        return 'R';
    case Step::End:
        return 'E';
    case Step::Unsplittable:
        return 'U';
    case Step::ReadError:
        return 'X';
    }
    return '?';
}

struct GuardedOpen {
    bool opened = false;
    bool blocked = false; // open() had not returned after the watchdog's time
};

// Opens the path in the reader under a watchdog: should open() block, as it does on a
// FIFO nobody writes to, the watchdog opens the FIFO's writing end after a few seconds
// and so lets it return, and the test fails instead of hanging. (Opening a named pipe on
// Windows never waits for the other side.)
GuardedOpen openGuarded(RecordFileReader &reader, const QString &path) {
    std::atomic<bool> returned = false;
    std::atomic<bool> blocked = false;
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!returned) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (returned || std::chrono::steady_clock::now() < deadline)
                continue;
            blocked = true;
#if !defined(Q_OS_WIN)
            // Succeeds only while a reader waits on the FIFO, and wakes that reader.
            const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
#endif
        }
    });
    GuardedOpen result;
    result.opened = reader.open(path);
    returned = true;
    watchdog.join();
    result.blocked = blocked;
    return result;
}

bool isFinal(Step step) {
    return step != Step::Heading && step != Step::Record;
}

// Reads the whole file; gives its steps as letters ("HRRE").
QString readAll(RecordFileReader &reader, RecordTable &table) {
    QString steps;
    Step step;
    do {
        step = reader.readNext(table);
        steps += stepLetter(step);
    } while (!isFinal(step) && steps.size() < 10'000'000);
    return steps;
}

QString recordText(int i, int column) {
    switch (column) {
    case 0:
        return QString::number(i);
    case 1:
        return QStringLiteral("2001/05/%1 %2:%3:%4")
            .arg(3 + i / 86400, 2, 10, QLatin1Char('0'))
            .arg(i / 3600 % 24, 2, 10, QLatin1Char('0'))
            .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(i % 60, 2, 10, QLatin1Char('0'));
    case 2:
        return i % 97 == 0 ? QStringLiteral("OL") : QString::number(20 + (i % 100) / 10.0, 'f', 1);
    case 3:
        return QString::number(-(i % 1234), 'f', 1);
    default:
        return i % 89 == 0 ? QStringLiteral("----") : QString::number(i % 7);
    }
}
} // namespace

class TestRecordFileReader : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fixtures_data();
    void fixtures();
    void corrupt_data();
    void corrupt();
    void largeFileRoundTrip();
    void emptyRecordsCostAtMostTwiceTheFile_data();
    void emptyRecordsCostAtMostTwiceTheFile();
    void missingFile();
    void onlyRegularFilesOpen_data();
    void onlyRegularFilesOpen();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
#if defined(Q_OS_WIN)
    QString m_pipePath;
    HANDLE m_pipe = INVALID_HANDLE_VALUE; // a named pipe's server, nobody writing to it
#else
    QString m_fifoPath;
    QString m_socketPath;
    int m_socket = -1; // bound to m_socketPath while the test runs
#endif
};

void TestRecordFileReader::initTestCase() {
    QVERIFY(m_dir.isValid());
#if defined(Q_OS_WIN)
    m_pipePath = QStringLiteral("\\\\.\\pipe\\thermodesk-test-%1").arg(::GetCurrentProcessId());
    m_pipe = ::CreateNamedPipeW(reinterpret_cast<const wchar_t *>(m_pipePath.utf16()),
                                PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 4, 4096, 4096, 0, nullptr);
    QVERIFY(m_pipe != INVALID_HANDLE_VALUE);
#else
    m_fifoPath = m_dir.filePath(QStringLiteral("fifo.rdg"));
    QCOMPARE(::mkfifo(QFile::encodeName(m_fifoPath).constData(), 0600), 0);

    m_socketPath = m_dir.filePath(QStringLiteral("socket.rdg"));
    const QByteArray encoded = QFile::encodeName(m_socketPath);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(size_t(encoded.size()) < sizeof(address.sun_path));
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(m_socket >= 0);
    QCOMPARE(::bind(m_socket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
#endif
}

void TestRecordFileReader::cleanupTestCase() {
#if defined(Q_OS_WIN)
    if (m_pipe != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_pipe);
#else
    if (m_socket >= 0)
        ::close(m_socket);
#endif
}

QString TestRecordFileReader::writeFile(const QString &name, const QByteArray &bytes) {
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestRecordFileReader::fixtures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("rows"); // cells joined by '|'

    const QString kc = QString::fromUtf8("K Type °C");
    const QString r1 = "1|2001/05/03 14:25:01|25.3|24.1|1.2";
    const QString r2 = "2|2001/05/03 14:25:02|25.4|24.0|1.4";

    QTest::newRow("golden") << "golden.rdg"
                            << "HRE" << kc << QStringList{r1};
    QTest::newRow("empty file") << "empty.rdg"
                                << "E"
                                << "" << QStringList{};
    QTest::newRow("heading only") << "heading_only.rdg"
                                  << "HE" << kc << QStringList{};
    QTest::newRow("extra after fifth TAB") << "extra_after_fifth_tab.rdg"
                                           << "HRRE" << kc << QStringList{r1, r2};
    // Stops at record 3; record 4 after it is never read.
    QTest::newRow("fifth TAB missing") << "fifth_tab_missing.rdg"
                                       << "HRRU" << kc << QStringList{r1, r2};
    QTest::newRow("blank line") << "blank_line.rdg"
                                << "HRU" << kc << QStringList{r1};
    QTest::newRow("J Type °F") << "j_type_fahrenheit.rdg"
                               << "HRE" << QString::fromUtf8("J Type °F")
                               << QStringList{"1|01/05/03 14:25:01|77.5|-OL|----"};
    QTest::newRow("UTF-8") << "utf8.rdg"
                           << "HRRE" << kc
                           << QStringList{
                                  r1, QString::fromUtf8("2|2001/05/03 14:25:02|25.4°|24.0|1.4")};
    QTest::newRow("LF line ends") << "lf_only.rdg"
                                  << "HRRRE" << kc
                                  << QStringList{r1, r2, "3|2001/05/03 14:25:03|OL|----|----"};
    QTest::newRow("no final line end") << "no_final_line_end.rdg"
                                       << "HRRE" << kc << QStringList{r1, r2};
    QTest::newRow("heading without TAB") << "heading_without_tab.rdg"
                                         << "U"
                                         << "" << QStringList{};
}

void TestRecordFileReader::fixtures() {
    QFETCH(QString, file);
    QFETCH(QString, steps);
    QFETCH(QString, heading);
    QFETCH(QStringList, rows);

    RecordFileReader reader;
    QVERIFY2(reader.open(fixture(file)), qPrintable(reader.errorString()));
    RecordTable table;
    QCOMPARE(readAll(reader, table), steps);
    QCOMPARE(stepLetter(reader.readNext(table)), steps.back()); // stays where it stopped
    QCOMPARE(reader.headingField(), heading);
    QCOMPARE(reader.recordsRead(), rows.size());
    QCOMPARE(table.rowCount(), rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList cells = rows[row].split('|');
        for (int column = 0; column < RecordColumnCount; ++column) {
            QCOMPARE(table.cell(column, row), cells[column]);
            // UTF-8 lines are kept as Windows-1252 like every other line.
            QCOMPARE(table.rawCell(column, row), Windows1252::encode(cells[column]));
        }
    }
}

void TestRecordFileReader::corrupt_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("steps"); // empty: any steps, as long as reading ends safely

    const QByteArray heading("K Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n");
    const QByteArray record("1\t2001/05/03 14:25:01\t25.3\t24.1\t1.2\t\r\n");
    const QByteArray megabyte(1 << 20, 'x');

    QByteArray garbage(3 << 20, Qt::Uninitialized);
    QRandomGenerator random(1234);
    random.fillRange(reinterpret_cast<quint32 *>(garbage.data()), garbage.size() / 4);
    QTest::newRow("binary garbage") << garbage << QString();
    QByteArray tabsAndNuls;
    for (int i = 0; i < 200000; ++i)
        tabsAndNuls.append(i % 3 == 0 ? '\t' : (i % 1000 == 0 ? '\n' : '\0'));
    QTest::newRow("TABs and NULs") << tabsAndNuls << QString();

    QTest::newRow("1 MB line without TABs") << heading + megabyte + "\r\n" + record << "HU";
    QTest::newRow("1 MB heading without line end") << megabyte << "U";
    QTest::newRow("1 MB heading field") << megabyte + "\t\r\n" + record << "U";
    // Only the five fields matter; megabytes after the fifth TAB are skipped.
    QTest::newRow("1 MB after the fifth TAB")
        << heading + "7\ta\tb\tc\td\t" + megabyte + megabyte + "\r\n" + record << "HRRE";
    QTest::newRow("1 MB after the fifth TAB, no line end")
        << heading + record + "7\ta\tb\tc\td\t" + megabyte << "HRRE";
    QTest::newRow("cut UTF-8 sequence") << heading + "1\t\xC2\t\t\t\t\r\n"
                                        << "HRE";
}

void TestRecordFileReader::corrupt() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, steps);

    RecordFileReader reader;
    QVERIFY(reader.open(writeFile("corrupt.rdg", bytes)));
    RecordTable table;
    const QString read = readAll(reader, table);
    QVERIFY(isFinal(reader.readNext(table)));
    if (!steps.isEmpty())
        QCOMPARE(read, steps);
    QCOMPARE(table.rowCount(), reader.recordsRead());
    for (int row = 0; row < table.rowCount(); ++row) {
        for (int column = 0; column < RecordColumnCount; ++column)
            QVERIFY(table.rawCell(column, row).size() < RecordFileReader::MaxLineBytes);
    }
    if (QTest::currentDataTag() == QLatin1String("1 MB after the fifth TAB")) {
        QCOMPARE(table.cell(0, 0), QStringLiteral("7"));
        QCOMPARE(table.cell(4, 0), QStringLiteral("d"));
        QCOMPARE(table.cell(0, 1), QStringLiteral("1"));
    }
}

void TestRecordFileReader::largeFileRoundTrip() {
    // Several read blocks, so lines cross block boundaries everywhere.
    const int records = 80000;
    const QString path = m_dir.filePath(QStringLiteral("large.rdg"));
    RecordFileWriter writer(RecordFileWriter::Flush::AtEnd);
    QVERIFY(writer.create(path));
    QVERIFY(writer.writeHeading("K", QString::fromUtf8("°C")));
    for (int i = 1; i <= records; ++i) {
        QVERIFY(writer.writeRecord(i, recordText(i, 1), recordText(i, 2), recordText(i, 3),
                                   recordText(i, 4)));
    }
    QVERIFY(writer.close());
    QVERIFY(QFile(path).size() > 3 << 20);

    RecordFileReader reader;
    QVERIFY(reader.open(path));
    RecordTable table;
    const QString steps = readAll(reader, table);
    QCOMPARE(steps.size(), records + 2);
    QVERIFY(steps.startsWith("HRR"));
    QVERIFY(steps.endsWith("RE"));
    QCOMPARE(reader.recordsRead(), records);
    QCOMPARE(table.rowCount(), records);
    for (int row = 0; row < records; ++row) {
        for (int column = 0; column < RecordColumnCount; ++column) {
            if (table.cell(column, row) != recordText(row + 1, column))
                QFAIL(qPrintable(QStringLiteral("row %1 column %2: %3 instead of %4")
                                     .arg(row)
                                     .arg(column)
                                     .arg(table.cell(column, row), recordText(row + 1, column))));
        }
    }
}

void TestRecordFileReader::emptyRecordsCostAtMostTwiceTheFile_data() {
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n"); // the shortest record line there is
}

void TestRecordFileReader::emptyRecordsCostAtMostTwiceTheFile() {
    // The degenerate file: records of five empty fields. The table may cost no more than
    // twice the file, however little each line holds.
    QFETCH(QByteArray, lineEnd);
    const int records = 100000;
    const QByteArray bytes = "K Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t" +
                             lineEnd + ("\t\t\t\t\t" + lineEnd).repeated(records);
    RecordFileReader reader;
    QVERIFY(reader.open(writeFile(QStringLiteral("empty_records.rdg"), bytes)));
    RecordTable table;
    QCOMPARE(readAll(reader, table).size(), records + 2);
    QCOMPARE(table.rowCount(), records);
    QCOMPARE(table.tabbedRow(records - 1), QByteArrayView("\t\t\t\t\t"));
    QCOMPARE(table.rawCell(4, records - 1), QByteArrayView(""));
    QVERIFY2(table.memoryBytes() <= 2 * bytes.size(),
             qPrintable(QStringLiteral("%1 bytes for a %2-byte file")
                            .arg(table.memoryBytes())
                            .arg(bytes.size())));
}

void TestRecordFileReader::missingFile() {
    RecordFileReader reader;
    QVERIFY(!reader.open(m_dir.filePath(QStringLiteral("absent.rdg"))));
    QCOMPARE(reader.errorString(), SystemText::FileNotFound);
    RecordTable table;
    QCOMPARE(reader.readNext(table), Step::ReadError);
    QCOMPARE(table.rowCount(), 0);
}

void TestRecordFileReader::onlyRegularFilesOpen_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("directory") << m_dir.path();
#if defined(Q_OS_WIN)
    QTest::newRow("named pipe nobody writes to") << m_pipePath;
    QTest::newRow("device NUL") << QStringLiteral("\\\\.\\NUL");
    QTest::newRow("device NUL in a folder") << m_dir.filePath(QStringLiteral("NUL"));
#else
    QTest::newRow("FIFO nobody writes to") << m_fifoPath;
    QTest::newRow("device /dev/null") << QStringLiteral("/dev/null");
    QTest::newRow("device /dev/zero") << QStringLiteral("/dev/zero");
    QTest::newRow("socket") << m_socketPath;
#endif
}

void TestRecordFileReader::onlyRegularFilesOpen() {
    // Refused at once, before anything is read: a FIFO would block the caller until someone
    // writes to it, a device may never end.
    QFETCH(QString, path);
    RecordFileReader reader;
    const GuardedOpen result = openGuarded(reader, path);
    QVERIFY2(!result.blocked, "open() blocked");
    QVERIFY(!result.opened);
    QCOMPARE(reader.errorString(), QStringLiteral("Not a regular file"));
    RecordTable table;
    QCOMPARE(reader.readNext(table), Step::ReadError);
    QCOMPARE(table.rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestRecordFileReader)
#include "tst_record_file_reader.moc"
