// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/span_statistics.h"

#include "graphs/record_pyramid.h"
#include "records/csv_format.h"
#include "records/record_table.h"

namespace {

// A mean has one more decimal than the readings it comes from.
QString meanText(const SpanTally &tally) {
    return QString::number(tally.mean(), 'f', 2);
}

} // namespace

SpanStatistics SpanStatistics::of(const RecordPyramid &pyramid, const RecordTable &records,
                                  int fromNo, int toNo) {
    SpanStatistics statistics;
    statistics.fromNo = fromNo;
    statistics.toNo = toNo;
    for (Channel channel : Channels) {
        const int column = recordColumnOf(channel);
        statistics.channels[size_t(channel)] =
            pyramid.tally(int(channel), fromNo - 1, toNo, [&](int row) {
                return RecordPyramid::levelOf(Reading::of(records.rawCell(column, row)));
            });
    }
    return statistics;
}

QString SpanStatistics::channelName(Channel channel) {
    switch (channel) {
    case Channel::T1:
        return QStringLiteral("T1");
    case Channel::T2:
        return QStringLiteral("T2");
    case Channel::Diff:
        break;
    }
    return QStringLiteral("T1-T2");
}

QString SpanStatistics::line(Channel channel, const RecordTable &records, bool withTimes) const {
    const SpanTally &tally = of(channel);
    const int column = recordColumnOf(channel);
    const auto at = [&](int row) {
        QString text = QStringLiteral(" (No. %1").arg(row + 1);
        if (withTimes)
            text += QStringLiteral(", ") + records.cell(1, row);
        return text + QLatin1Char(')');
    };
    QString text = channelName(channel);
    if (tally.hasNumbers()) {
        text += QStringLiteral("  min ") + records.cell(column, tally.lowAt) + at(tally.lowAt) +
                QStringLiteral("  max ") + records.cell(column, tally.highAt) + at(tally.highAt) +
                QStringLiteral("  mean ") + meanText(tally);
    } else {
        text += QStringLiteral("  no numbers");
    }
    return text + QStringLiteral("  OL %1  -OL %2  ---- %3")
                      .arg(tally.over)
                      .arg(tally.under)
                      .arg(tally.off);
}

QByteArray SpanStatistics::csvHeader() {
    return QByteArrayLiteral(
        "channel,from,to,min,min record,min time,max,max record,max time,mean,numbers,OL,'-OL,"
        "'----\r\n"); // the guarded forms: a spreadsheet takes "-OL" for a formula
}

QByteArray SpanStatistics::csvLine(Channel channel, const RecordTable &records) const {
    const SpanTally &tally = of(channel);
    const int column = recordColumnOf(channel);
    QByteArray csv;
    CsvFormat::appendTextCell(csv, channelName(channel).toUtf8());
    csv += ',' + QByteArray::number(fromNo) + ',' + QByteArray::number(toNo);
    for (const int row : {tally.lowAt, tally.highAt}) {
        csv += ',';
        if (tally.hasNumbers()) {
            CsvFormat::appendReadingCell(csv, records.cell(column, row));
            csv += ',' + QByteArray::number(row + 1) + ',';
            CsvFormat::appendTextCell(csv, records.cell(1, row).toUtf8());
        } else {
            csv += ",,";
        }
    }
    csv += ',';
    if (tally.hasNumbers())
        csv += meanText(tally).toLatin1();
    csv += ',' + QByteArray::number(tally.numbers) + ',' + QByteArray::number(tally.over) + ',' +
           QByteArray::number(tally.under) + ',' + QByteArray::number(tally.off) + "\r\n";
    return csv;
}
