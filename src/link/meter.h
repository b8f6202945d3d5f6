// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"

#include <QByteArray>
#include <QString>

// The meter's frame layout and the decoding of its status bytes and reading words.
namespace Meter {

inline constexpr int FrameLength = 10;
inline constexpr char FrameStart = 0x02;
inline constexpr char FrameEnd = 0x03;
inline constexpr char DumpByte = char(0xAA);

// What one read from the port holds.
enum class ReadKind {
    Short,      // fewer than 10 bytes: counted as silence, dropped
    Noise,      // 10 or more bytes that are neither frame nor marker: dropped, not counted
    DumpMarker, // the meter announces its logger memory
    LiveFrame,  // bytes 1 to 10 are a live frame
};

ReadKind classifyRead(const QByteArray &read);
// True when the read ends the wait for a silent meter: at least 10 bytes, 0x02 first
// and 0x03 tenth. A dump marker does not count.
bool isMeterSign(const QByteArray &read);

// The clock fields of a frame as the meter shows them: "09:45".
QString ClockText(quint8 first, quint8 second);

void DecodeStatusA(quint8 byte, LiveValues &live);
void DecodeStatusB(quint8 byte, LiveValues &live);
QString ReadingText(quint8 high, quint8 low);
// a + sign * b with exactly one decimal, or "----" when either is not a number (see
// Reading::formsDifference).
QString DifferenceText(const QString &a, const QString &b, int sign);

} // namespace Meter
