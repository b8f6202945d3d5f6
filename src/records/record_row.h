// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1StringView>
#include <QString>

#include <array>

class QDateTime;

// One line of a record file or one row of a record list as its five texts: record
// number, date-time, T1, T2, T1-T2 (for the heading row: the five column headings).
using RecordRow = std::array<QString, 5>;

inline constexpr int RecordColumnCount = 5;

// Fixed headings of columns 1 to 4; column 0 is the RecordHeading.
inline constexpr QLatin1StringView DateTimeHeading{"     Date Time    "};
inline constexpr QLatin1StringView T1Heading{"T1"};
inline constexpr QLatin1StringView T2Heading{"T2"};
inline constexpr QLatin1StringView DiffHeading{"T1-T2"};

// The date-time field of recordings and the live list: "yyyy/MM/dd HH:mm:ss", 24-hour
// clock, whatever the locale.
QString recordTimeStamp(const QDateTime &when);
// The whole heading row of a record file or list.
RecordRow headingRow(const QString &type, const QString &unit);
