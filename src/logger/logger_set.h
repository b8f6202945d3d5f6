// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "logger/record_clock.h"
#include "records/record_row.h"

#include <QByteArray>
#include <QString>

// One set of the meter's logger memory as the dump carries it: a 12-byte header (start time,
// status byte A, sampling time, record count), then 4-byte records of two reading words.
// SetRecords counts the records that really arrived: fewer than the header claims when the
// dump ended early, so nothing is ever read beyond SetData.
struct LoggerSet {
    static constexpr int HeaderLength = 12;
    static constexpr int RecordLength = 4;

    QString SetTime;     // "yy/mm/dd hh:nn:ss" from the header's start bytes
    int SetSampling = 0; // seconds between records
    int SetRecords = 0;
    QByteArray SetData; // the header and the SetRecords whole records

    // The header's record count, which may promise more than SetData holds.
    int claimedRecords() const;
    quint8 statusA() const;
    // The heading of column 0 when the set is listed: its own type and unit, "K Type °C".
    QString heading() const;
    RecordClock clock() const;
    // Record k (1 to SetRecords) as a list row: k, its time, T1, T2, T1-T2.
    RecordRow record(int k, const RecordClock &clock) const;
};
