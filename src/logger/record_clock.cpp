// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/record_clock.h"

#include <algorithm>
#include <array>

namespace {

constexpr qint64 SecondsPerDay = 86400;

// Days from 2000-01-01 to the given date of the proleptic Gregorian calendar, and back: the
// civil-date arithmetic of H. Hinnant's "chrono-compatible low-level date algorithms".
constexpr qint64 EpochShift = 730425; // days from 0000-03-01 to 2000-01-01

qint64 daysFromCivil(qint64 year, int month, int day) {
    year -= month <= 2;
    const qint64 era = year / 400; // years here are never negative
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - EpochShift;
}

void civilFromDays(qint64 days, qint64 &year, int &month, int &day) {
    days += EpochShift;
    const qint64 era = days / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthShifted = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * monthShifted + 2) / 5 + 1);
    month = int(monthShifted < 10 ? monthShifted + 3 : monthShifted - 9);
    year = yearOfEra + era * 400 + (month <= 2);
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> Days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

// The value of a BCD byte, or -1 when a nibble is above 9.
int fromBcd(quint8 byte) {
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    return high > 9 || low > 9 ? -1 : high * 10 + low;
}

void putTwoDigits(char *at, int value) {
    at[0] = char('0' + value / 10);
    at[1] = char('0' + value % 10);
}

} // namespace

RecordClock::RecordClock(QByteArrayView start, int samplingSeconds)
    : m_setTime(SetTime(start))
    , m_sampling(std::max(samplingSeconds, 0)) {
    if (start.size() < StartLength)
        return;
    std::array<int, StartLength> fields{};
    for (int i = 0; i < StartLength; ++i) {
        fields[i] = fromBcd(quint8(start[i]));
        if (fields[i] < 0)
            return;
    }
    const int year = 2000 + fields[0];
    const int month = fields[1];
    const int day = fields[2];
    const int hour = fields[3];
    const int minute = fields[4];
    const int second = fields[5];
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return;
    m_startSeconds =
        daysFromCivil(year, month, day) * SecondsPerDay + hour * 3600 + minute * 60 + second;
    m_valid = true;
}

QString RecordClock::SetTime(QByteArrayView start) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    static constexpr char Separators[] = "// ::";
    QString text;
    text.reserve(3 * StartLength - 1);
    for (qsizetype i = 0; i < start.size() && i < StartLength; ++i) {
        if (i > 0)
            text += QLatin1Char(Separators[i - 1]);
        const auto byte = quint8(start[i]);
        text += QLatin1Char(Hex[byte >> 4]);
        text += QLatin1Char(Hex[byte & 0x0F]);
    }
    return text;
}

QString RecordClock::text(int k) const {
    if (!m_valid)
        return m_setTime;
    const qint64 seconds = m_startSeconds + qint64(std::max(k, 1) - 1) * m_sampling;
    const qint64 days = seconds / SecondsPerDay; // never negative: the sampling is 16 bits
    const int secondOfDay = int(seconds % SecondsPerDay);
    qint64 year = 0;
    int month = 0;
    int day = 0;
    civilFromDays(days, year, month, day);

    char buffer[17];
    putTwoDigits(buffer, int(year % 100));
    buffer[2] = '/';
    putTwoDigits(buffer + 3, month);
    buffer[5] = '/';
    putTwoDigits(buffer + 6, day);
    buffer[8] = ' ';
    putTwoDigits(buffer + 9, secondOfDay / 3600);
    buffer[11] = ':';
    putTwoDigits(buffer + 12, secondOfDay / 60 % 60);
    buffer[14] = ':';
    putTwoDigits(buffer + 15, secondOfDay % 60);
    return QString::fromLatin1(buffer, sizeof buffer);
}
