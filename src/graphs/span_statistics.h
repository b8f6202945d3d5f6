// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_state.h"
#include "graphs/span_tally.h"

#include <QByteArray>
#include <QString>

#include <array>

class RecordPyramid;
class RecordTable;

// Each channel's minimum, maximum (with the records where they stand), mean and counts of
// "OL", "-OL" and "----" over the records FromNo..ToNo, taken from the pyramid's blocks:
// the cost does not grow with the span. The file plot shows it under the picture and
// `--stats` prints it, both in the words given here.
struct SpanStatistics {
    int fromNo = 1;
    int toNo = 0;
    std::array<SpanTally, 3> channels;

    // The pyramid must hold every record of the table.
    static SpanStatistics of(const RecordPyramid &pyramid, const RecordTable &records, int fromNo,
                             int toNo);

    const SpanTally &of(Channel channel) const { return channels[size_t(channel)]; }

    // "T1  min 20.1 (No. 57)  max 251.3 (No. 1203)  mean 130.42  OL 0  -OL 0  ---- 2"; with
    // times, each record number is followed by the record's date and time.
    QString line(Channel channel, const RecordTable &records, bool withTimes = false) const;
    // The CSV form: a header line, then a line per channel (CR LF ends).
    static QByteArray csvHeader();
    QByteArray csvLine(Channel channel, const RecordTable &records) const;

    static QString channelName(Channel channel);
};
