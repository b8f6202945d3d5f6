// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

// The times of a logger set's records: the set's start plus (k - 1) sampling times, carried
// into minutes, hours, days, months and years by the calendar. The start comes from the six
// BCD bytes of the set header; when they are no valid date and time (a nibble above 9, month
// 13, day 0, February 30), there is no time to count from and every record carries the
// start's own text instead of a made-up date.
class RecordClock {
public:
    static constexpr int StartLength = 6;

    // From the header's first six bytes (year, month, day, hour, minute, second).
    RecordClock(QByteArrayView start, int samplingSeconds);

    // "yy/mm/dd hh:nn:ss": the six bytes as they are, each as two hexadecimal digits.
    static QString SetTime(QByteArrayView start);

    bool isValid() const { return m_valid; }
    // The time of record k (1-based), "yy/mm/dd hh:nn:ss".
    QString text(int k) const;

private:
    QString m_setTime;
    qint64 m_startSeconds = 0; // since 2000-01-01 00:00:00
    qint64 m_sampling = 0;
    bool m_valid = false;
};
