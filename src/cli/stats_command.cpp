// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/stats_command.h"

#include "cli/command_line.h"
#include "graphs/record_pyramid.h"
#include "graphs/span_statistics.h"
#include "records/record_file_reader.h"
#include "records/record_table.h"

#include <QDir>

namespace StatsCommand {

int run(const CommandLine &line, const Output &out, const Output &errorLine) {
    const auto say = [&errorLine](const QString &text) {
        errorLine(QStringLiteral("thermodesk: ") + text);
    };
    const QString input = QDir::toNativeSeparators(line.statsInput);
    RecordFileReader reader;
    RecordTable table;
    QString heading;
    if (reader.open(line.statsInput)) {
        for (;;) {
            const RecordFileReader::Step step = reader.readNext(table);
            if (step == RecordFileReader::Step::Heading)
                heading = reader.headingField();
            else if (step != RecordFileReader::Step::Record)
                break;
        }
    }
    if (!reader.errorString().isEmpty()) {
        say(QStringLiteral("cannot read %1: %2").arg(input, reader.errorString()));
        return 1;
    }
    if (table.rowCount() == 0) {
        say(QStringLiteral("%1 holds no records").arg(input));
        return 1;
    }
    // A line that cannot be split ends the records, as the list shows them.
    const int fromNo = line.statsFrom > 0 ? line.statsFrom : 1;
    const int toNo = line.statsTo > 0 ? line.statsTo : table.rowCount();
    if (fromNo > toNo || toNo > table.rowCount()) {
        say(QStringLiteral("%1 holds records 1 to %2: no records %3 to %4")
                .arg(input)
                .arg(table.rowCount())
                .arg(fromNo)
                .arg(toNo));
        return 1;
    }
    const SpanStatistics statistics =
        SpanStatistics::of(RecordPyramid::of(table), table, fromNo, toNo);
    QString text;
    if (line.statsCsv) {
        QByteArray csv = SpanStatistics::csvHeader();
        for (Channel channel : Channels)
            csv += statistics.csvLine(channel, table);
        text = QString::fromUtf8(csv);
    } else {
        text =
            QStringLiteral("%1: %2, records %3 to %4\n").arg(input, heading).arg(fromNo).arg(toNo);
        for (Channel channel : Channels)
            text += statistics.line(channel, table, true) + QLatin1Char('\n');
    }
    out(text);
    return 0;
}

} // namespace StatsCommand
