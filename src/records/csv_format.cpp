// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/csv_format.h"

#include "link/reading.h"
#include "records/record_heading.h"
#include "records/record_row.h"
#include "records/windows1252.h"

#include <QDate>

#include <array>
#include <cstring>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool needsQuotes(QByteArrayView text) {
    for (const char c : text) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    }
    return false;
}

// A cell as text: UTF-8, quoted when it holds a comma, a quote or a line break.
void appendUtf8Text(QByteArray &csv, QByteArrayView utf8) {
    if (!needsQuotes(utf8)) {
        csv.append(utf8);
        return;
    }
    csv.append('"');
    for (const char c : utf8) {
        if (c == '"')
            csv.append('"');
        csv.append(c);
    }
    csv.append('"');
}

void appendText(QByteArray &csv, QByteArrayView windows1252) {
    for (const char c : windows1252) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            appendUtf8Text(csv, Windows1252::decode(windows1252).toUtf8());
            return;
        }
    }
    appendUtf8Text(csv, windows1252); // plain ASCII, the same in both
}

QByteArrayView trimmedBlanks(QByteArrayView text) {
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

void appendReading(QByteArray &csv, QByteArrayView field) {
    const QByteArrayView reading = trimmedBlanks(field);
    const std::optional<Reading::Kind> kind = Reading::kindOf(reading);
    if (!kind) {
        appendText(csv, field); // no reading a record holds: the text as it stands
        return;
    }
    // Over range, under range and no value are no numbers: the cell stays empty.
    if (*kind == Reading::Kind::Number)
        csv.append(reading);
}

// The number of the digits at text[from, from + count), -1 when one is not a digit.
int digitsAt(QByteArrayView text, qsizetype from, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[from + i];
        if (!isDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Appends the time field in ISO 8601, "2026-12-10T14:03:05": from "yyyy/MM/dd HH:mm:ss"
// (records and the live list) or "yy/MM/dd HH:mm:ss" (logger sets, year 2000 + yy). False,
// with nothing appended, when the field is neither or names no moment of the calendar.
bool appendIsoTime(QByteArray &csv, QByteArrayView field) {
    // The date part is the year's digits then "/MM/dd"; the time part " HH:mm:ss" ends it.
    constexpr qsizetype DateRest = 6, TimeLength = 9;
    const qsizetype yearDigits = field.size() - DateRest - TimeLength;
    if (yearDigits != 4 && yearDigits != 2)
        return false;
    static constexpr std::array<char, 5> Separators{'/', '/', ' ', ':', ':'};
    const qsizetype at = yearDigits;
    const std::array<qsizetype, 5> separatorAt{at, at + 3, at + 6, at + 9, at + 12};
    for (size_t i = 0; i < Separators.size(); ++i) {
        if (field[separatorAt[i]] != Separators[i])
            return false;
    }
    int year = digitsAt(field, 0, int(yearDigits));
    const int month = digitsAt(field, at + 1, 2);
    const int day = digitsAt(field, at + 4, 2);
    const int hour = digitsAt(field, at + 7, 2);
    const int minute = digitsAt(field, at + 10, 2);
    const int second = digitsAt(field, at + 13, 2);
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return false;
    if (yearDigits == 2)
        year += 2000; // the logger's clock counts years from 2000
    if (!QDate::isValid(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return false;
    char iso[] = "0000-00-00T00:00:00";
    const auto put = [&iso](int position, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            iso[position + i] = char('0' + value % 10);
    };
    put(0, year, 4);
    put(5, month, 2);
    put(8, day, 2);
    put(11, hour, 2);
    put(14, minute, 2);
    put(17, second, 2);
    csv.append(iso, qsizetype(sizeof iso - 1));
    return true;
}

} // namespace

CsvFormat::CsvFormat(const QString &column0Heading) {
    const RecordHeading heading = RecordHeading::of(column0Heading);
    m_type = heading.type;
    m_unit = heading.unit;
    m_typeAndUnitCells.append(',');
    appendUtf8Text(m_typeAndUnitCells, m_type.toUtf8());
    m_typeAndUnitCells.append(',');
    appendUtf8Text(m_typeAndUnitCells, m_unit.toUtf8());
}

QByteArray CsvFormat::headerLine() {
    return QByteArrayLiteral("record,time,T1,T2,T1-T2,type,unit\r\n");
}

void CsvFormat::appendRecord(QByteArray &csv, QByteArrayView tabbedFields) const {
    std::array<QByteArrayView, RecordColumnCount> fields;
    const char *p = tabbedFields.data();
    const char *const end = p + tabbedFields.size();
    for (QByteArrayView &field : fields) {
        const auto *tab =
            p < end ? static_cast<const char *>(std::memchr(p, '\t', end - p)) : nullptr;
        if (!tab) {
            field = QByteArrayView(p, end - p); // a last field without its TAB
            p = end;
            continue;
        }
        field = QByteArrayView(p, tab - p);
        p = tab + 1;
    }

    appendText(csv, fields[0]);
    csv.append(',');
    if (!appendIsoTime(csv, fields[1]))
        appendText(csv, fields[1]); // no time a calendar knows: the text as it stands
    for (int reading = 2; reading < RecordColumnCount; ++reading) {
        csv.append(',');
        appendReading(csv, fields[reading]);
    }
    csv.append(m_typeAndUnitCells);
    csv.append("\r\n", 2);
}
