// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/meter.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

// Live frames as the meter sends them, for tests that need the panel's live values: the
// readings go in as reading words, so each must be a text the meter shows ("25.3", "240",
// "-0.5", "OL", "-OL", "----"); anything else gives an empty frame, which no test takes
// for a frame.
namespace MeterFrames {

// The reading word of a reading text, or -1 when the meter shows no such text.
inline int wordOf(const QString &reading) {
    if (reading == QLatin1String("----"))
        return 0xFFFF;
    if (reading == QLatin1String("-OL"))
        return 0xFF00;
    if (reading == QLatin1String("OL"))
        return 0xBF00;
    static const QRegularExpression number(QStringLiteral("^(-?)(\\d+)(?:\\.(\\d))?$"));
    const QRegularExpressionMatch match = number.match(reading);
    if (!match.hasMatch())
        return -1;
    const bool point = match.hasCaptured(3);
    const int magnitude = (match.captured(2) + match.captured(3)).toInt();
    if (magnitude > 0x3FFF)
        return -1;
    const int word = (point ? 0x8000 : 0) | (match.captured(1).isEmpty() ? 0 : 0x4000) | magnitude;
    // The meter shows it so only when its word reads back the same ("007" does not).
    return Meter::ReadingText(quint8(word >> 8), quint8(word)) == reading ? word : -1;
}

// Status byte A of a type ("J", "K") and a unit ("°C", "°F"), the clock symbol on.
inline char statusA(const QString &type, const QString &unit) {
    return char(0x01 | (unit == QStringLiteral("\u00B0F") ? 0x40 : 0) |
                (type == QLatin1String("J") ? 0x80 : 0));
}

inline QByteArray frame(char statusA, char statusB, int mainWord, int smallWord) {
    if (mainWord < 0 || smallWord < 0)
        return {};
    QByteArray bytes("\x02\x09\x45", 3);
    bytes += statusA;
    bytes += statusB;
    bytes += char(mainWord >> 8);
    bytes += char(mainWord);
    bytes += char(smallWord >> 8);
    bytes += char(smallWord);
    bytes += '\x03';
    return bytes;
}

// T1 on the main display, T2 on the small one; T1-T2 follows from them.
inline QByteArray liveFrame(const QString &t1, const QString &t2,
                            const QString &type = QStringLiteral("J"),
                            const QString &unit = QStringLiteral("\u00B0C")) {
    return frame(statusA(type, unit), 0x00, wordOf(t1), wordOf(t2));
}

// T1-T2 on the main display, T1 on the small one; T2 follows from them.
inline QByteArray differenceFrame(const QString &t1, const QString &diff,
                                  const QString &type = QStringLiteral("J"),
                                  const QString &unit = QStringLiteral("\u00B0C")) {
    return frame(statusA(type, unit), 0x04, wordOf(diff), wordOf(t1));
}

} // namespace MeterFrames
