// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "lists/record_follower.h"
#include "records/record_table.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Heading = "K Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";

QByteArray line(int number) {
    const RecordRow row =
        record(number, QString::number(20 + number), QStringLiteral("OL"), QStringLiteral("----"));
    QByteArray bytes;
    for (const QString &cell : row)
        bytes += cell.toLatin1() + '\t';
    return bytes + "\r\n";
}

QByteArray lines(int first, int last) {
    QByteArray bytes;
    for (int number = first; number <= last; ++number)
        bytes += line(number);
    return bytes;
}

// Appends as a recorder does, the file held open by the follower meanwhile.
bool append(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

RecordingParts partsOf(const QStringList &paths, const QList<int> &numbers) {
    RecordingParts parts;
    parts.paths = paths;
    parts.numbers = numbers;
    return parts;
}

QList<int> numbersIn(const RecordTable &table) {
    QList<int> numbers;
    for (int row = 0; row < table.rowCount(); ++row)
        numbers << table.cell(0, row).toInt();
    return numbers;
}

QList<int> range(int first, int last) {
    QList<int> numbers;
    for (int number = first; number <= last; ++number)
        numbers << number;
    return numbers;
}

} // namespace

// Following a recording as it is written: only whole lines, only new bytes, on into the
// continuation files that carry on from it, and never into a part of another recording.
class TestRecordFollower : public QObject {
    Q_OBJECT

private slots:
    void init();
    void takesWholeLinesAsTheyCome();
    void readsPastTheRecordsHeld();
    void movesOnToTheNextPart_data();
    void movesOnToTheNextPart();
    void pollsOnItsOwn();
    void aFileWrittenAnewIsNotFollowed();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString pathOf(const QString &name) const { return m_dir->filePath(name); }
};

void TestRecordFollower::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestRecordFollower::takesWholeLinesAsTheyCome() {
    const QString path = pathOf(QStringLiteral("run.rdg"));
    const QByteArray third = line(3);
    QVERIFY(append(path, Heading + lines(1, 2) + third.first(12)));
    RecordTable table;
    RecordFollower follower(table, partsOf({path}, {0}), 0, 0,
                            RecordFollower::Continuations::Ignore);
    QSignalSpy grew(&follower, &RecordFollower::grew);
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 2)); // the third line is still being written
    QCOMPARE(follower.heading(), QStringLiteral("K Type \u00B0C"));
    QVERIFY(append(path, third.sliced(12) + lines(4, 5)));
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 5));
    QCOMPARE(table.cell(2, 2), QStringLiteral("23"));
    follower.poll(); // nothing new: nothing announced
    QCOMPARE(grew.size(), 2);
    QCOMPARE(grew.at(0).at(0).toInt(), 0);
    QCOMPARE(grew.at(1).at(0).toInt(), 2);
    QVERIFY(follower.problem().isEmpty());
}

void TestRecordFollower::readsPastTheRecordsHeld() {
    // A list loaded the first three records; following appends only what came after.
    const QString path = pathOf(QStringLiteral("run.rdg"));
    QVERIFY(append(path, Heading + lines(1, 3)));
    RecordTable table;
    for (int number = 1; number <= 3; ++number)
        table.appendRow(record(number, QString::number(20 + number), "OL", "----"));
    RecordFollower follower(table, partsOf({path}, {0}), 0, 3,
                            RecordFollower::Continuations::Ignore);
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 3));
    QVERIFY(append(path, lines(4, 6)));
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 6));
}

void TestRecordFollower::movesOnToTheNextPart_data() {
    QTest::addColumn<QString>("nextName");
    QTest::addColumn<QByteArray>("nextBytes");
    QTest::addColumn<QList<int>>("numbers"); // in the table after the next part appeared
    QTest::addColumn<QString>("problem");

    QTest::newRow("the continuation carries on")
        << "run001.rdg" << Heading + lines(5, 7) << range(1, 7) << "";
    QTest::newRow("a number skipped by an earlier recording")
        << "run003.rdg" << Heading + lines(5, 6) << range(1, 6) << "";
    QTest::newRow("a part of another recording is left alone")
        << "run001.rdg" << Heading + lines(90, 91) << range(1, 4) << "";
    QTest::newRow("a part with its heading only is waited for")
        << "run001.rdg" << Heading << range(1, 4) << "";
    QTest::newRow("a part of another heading ends following")
        << "run001.rdg"
        << QByteArray("J Type \xB0"
                      "F\tx\tx\tx\tx\t\r\n") +
               lines(5, 5)
        << range(1, 4) << "run001.rdg is of another heading";
}

void TestRecordFollower::movesOnToTheNextPart() {
    QFETCH(QString, nextName);
    QFETCH(QByteArray, nextBytes);
    QFETCH(QString, problem);
    const QString first = pathOf(QStringLiteral("run.rdg"));
    QVERIFY(append(first, Heading + lines(1, 4)));
    RecordTable table;
    RecordFollower follower(table, partsOf({first}, {0}), 0, 0,
                            RecordFollower::Continuations::Follow);
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 4));
    QVERIFY(append(pathOf(nextName), nextBytes));
    follower.poll();
    QTEST(numbersIn(table), "numbers");
    QVERIFY2(problem.isEmpty() ? follower.problem().isEmpty()
                               : follower.problem().endsWith(problem),
             qPrintable(follower.problem()));
}

void TestRecordFollower::pollsOnItsOwn() {
    const QString path = pathOf(QStringLiteral("run.rdg"));
    QVERIFY(append(path, Heading + lines(1, 1)));
    RecordTable table;
    RecordFollower follower(table, partsOf({path}, {0}), 0, 0,
                            RecordFollower::Continuations::Ignore);
    follower.start();
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 1, 5000);
    QVERIFY(append(path, lines(2, 3)));
    QTRY_COMPARE_WITH_TIMEOUT(table.rowCount(), 3, 5000);
}

void TestRecordFollower::aFileWrittenAnewIsNotFollowed() {
    const QString path = pathOf(QStringLiteral("run.rdg"));
    QVERIFY(append(path, Heading + lines(1, 5)));
    RecordTable table;
    RecordFollower follower(table, partsOf({path}, {0}), 0, 0,
                            RecordFollower::Continuations::Ignore);
    follower.poll();
    QCOMPARE(table.rowCount(), 5);
    // A new recording in the same file: shorter for now, then longer than the old one.
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(file.write(Heading + lines(1, 2)) > 0);
    file.close();
    follower.poll();
    QVERIFY(append(path, lines(3, 9)));
    follower.poll();
    QCOMPARE(numbersIn(table), range(1, 5));
    QVERIFY2(follower.problem().endsWith(QStringLiteral("run.rdg was cut short or written anew")),
             qPrintable(follower.problem()));
}

QTEST_GUILESS_MAIN(TestRecordFollower)
#include "tst_record_follower.moc"
