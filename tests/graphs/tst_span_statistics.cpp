// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "graphs/record_pyramid.h"
#include "graphs/span_statistics.h"
#include "records/record_table.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

namespace {

// A long run with noise, over and under range readings, and T2 switched off for a while.
RecordTable ragged(int count) {
    QRandomGenerator random(11);
    const auto reading = [&](int i) {
        const quint32 r = random.bounded(100u);
        if (r == 0)
            return QStringLiteral("OL");
        if (r == 1)
            return QStringLiteral("-OL");
        return QString::number(100 * std::sin(i / 300.0) + random.bounded(40) - 20.0, 'f', 1);
    };
    RecordTable table;
    for (int i = 1; i <= count; ++i) {
        const bool off = i > count / 2 && i <= count / 2 + 40;
        const QString t1 = reading(i);
        const QString t2 = off ? QStringLiteral("----") : reading(i);
        table.appendRow(record(i, t1, t2, reading(i)));
    }
    return table;
}

// The same statistics record by record, straight from the texts.
SpanTally direct(const RecordTable &table, Channel channel, int fromNo, int toNo) {
    SpanTally tally;
    for (int row = fromNo - 1; row < toNo; ++row) {
        const Reading reading = Reading::of(table.cell(recordColumnOf(channel), row));
        switch (reading.kind) {
        case Reading::Kind::Over:
            ++tally.over;
            break;
        case Reading::Kind::Under:
            ++tally.under;
            break;
        case Reading::Kind::NoValue:
            ++tally.off;
            break;
        case Reading::Kind::Number:
            ++tally.numbers;
            tally.sum += reading.value;
            if (tally.lowAt < 0 || reading.value < tally.low) {
                tally.low = reading.value;
                tally.lowAt = row;
            }
            if (tally.highAt < 0 || reading.value > tally.high) {
                tally.high = reading.value;
                tally.highAt = row;
            }
            break;
        }
    }
    return tally;
}

RecordPyramid pyramidOf(const RecordTable &table) {
    // Appended one record at a time, as a growing plot appends them.
    RecordPyramid pyramid;
    for (int row = 0; row < table.rowCount(); ++row) {
        RecordPyramid::Levels levels{};
        for (Channel channel : Channels)
            levels[size_t(channel)] =
                RecordPyramid::levelOf(Reading::of(table.rawCell(recordColumnOf(channel), row)));
        pyramid.append(levels);
    }
    return pyramid;
}

} // namespace

// A span's minimum, maximum, mean and counts, taken from the pyramid's blocks, against the
// same worked out record by record.
class TestSpanStatistics : public QObject {
    Q_OBJECT

private slots:
    void matchesTheRecords_data();
    void matchesTheRecords();
    void linesSayWhatTheSpanHolds();
};

void TestSpanStatistics::matchesTheRecords_data() {
    QTest::addColumn<int>("fromNo");
    QTest::addColumn<int>("toNo");
    QTest::newRow("one record") << 777 << 777;
    QTest::newRow("within one block") << 3 << 200;
    QTest::newRow("across two blocks") << 200 << 300;
    QTest::newRow("with ---- in it") << 2490 << 2600;
    QTest::newRow("many blocks, ragged ends") << 17 << 4901;
    QTest::newRow("whole run") << 1 << 5000;
    QTest::newRow("block edges exactly") << 257 << 4096;
}

void TestSpanStatistics::matchesTheRecords() {
    QFETCH(int, fromNo);
    QFETCH(int, toNo);
    static const RecordTable table = ragged(5000);
    static const RecordPyramid pyramid = pyramidOf(table);
    const SpanStatistics statistics = SpanStatistics::of(pyramid, table, fromNo, toNo);
    for (Channel channel : Channels) {
        const SpanTally want = direct(table, channel, fromNo, toNo);
        const SpanTally &got = statistics.of(channel);
        QCOMPARE(got.numbers, want.numbers);
        QCOMPARE(got.over, want.over);
        QCOMPARE(got.under, want.under);
        QCOMPARE(got.off, want.off);
        QCOMPARE(got.lowAt, want.lowAt);
        QCOMPARE(got.highAt, want.highAt);
        QCOMPARE(got.low, want.low);
        QCOMPARE(got.high, want.high);
        QVERIFY2(std::abs(got.mean() - want.mean()) < 1e-9,
                 qPrintable(QStringLiteral("%1 against %2").arg(got.mean()).arg(want.mean())));
    }
    // The span with "----" in it really holds some, and the run some over range.
    if (QByteArrayView(QTest::currentDataTag()) == "with ---- in it")
        QCOMPARE(statistics.of(Channel::T2).off, 40);
}

void TestSpanStatistics::linesSayWhatTheSpanHolds() {
    RecordTable table;
    table.appendRow(
        record(1, QStringLiteral("20.6"), QStringLiteral("----"), QStringLiteral("----")));
    table.appendRow(
        record(2, QStringLiteral("OL"), QStringLiteral("----"), QStringLiteral("----")));
    table.appendRow(
        record(3, QStringLiteral("19.5"), QStringLiteral("-OL"), QStringLiteral("----")));
    table.appendRow(
        record(4, QStringLiteral("22"), QStringLiteral("----"), QStringLiteral("----")));
    table.appendRow(
        record(5, QStringLiteral("19.5"), QStringLiteral("----"), QStringLiteral("----")));
    const SpanStatistics statistics = SpanStatistics::of(pyramidOf(table), table, 1, 5);
    QCOMPARE(
        statistics.line(Channel::T1, table),
        QStringLiteral("T1  min 19.5 (No. 3)  max 22 (No. 4)  mean 20.40  OL 1  -OL 0  ---- 0"));
    QCOMPARE(statistics.line(Channel::T2, table),
             QStringLiteral("T2  no numbers  OL 0  -OL 1  ---- 4"));
    QCOMPARE(statistics.line(Channel::T1, table, true),
             QStringLiteral("T1  min 19.5 (No. 3, 2001/05/03 14:25:03)  max 22 (No. 4, "
                            "2001/05/03 14:25:04)  mean 20.40  OL 1  -OL 0  ---- 0"));
    QCOMPARE(SpanStatistics::csvHeader(),
             QByteArray("channel,from,to,min,min record,min time,max,max record,max time,mean,"
                        "numbers,OL,'-OL,'----\r\n"));
    QCOMPARE(
        statistics.csvLine(Channel::T1, table),
        QByteArray("T1,1,5,19.5,3,2001/05/03 14:25:03,22,4,2001/05/03 14:25:04,20.40,4,1,0,0\r\n"));
    QCOMPARE(statistics.csvLine(Channel::Diff, table), QByteArray("T1-T2,1,5,,,,,,,,0,0,0,5\r\n"));
}

QTEST_GUILESS_MAIN(TestSpanStatistics)
#include "tst_span_statistics.moc"
