// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/meter.h"

#include "link/reading.h"

#include <cmath>

namespace Meter {

namespace {

bool bit(quint8 byte, int n) {
    return (byte >> n) & 1;
}

constexpr double MaxTenths = 1e15;

QString twoHexDigits(quint8 byte) {
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

ReadKind classifyRead(const QByteArray &read) {
    const qsizetype n = read.size();
    if (n < FrameLength)
        return ReadKind::Short;
    const bool markerStart = read[0] == DumpByte;
    const bool frame = read[0] == FrameStart && read[FrameLength - 1] == FrameEnd;
    if (!markerStart && !frame)
        return ReadKind::Noise;
    if (markerStart || read.endsWith(QByteArray(5, DumpByte)))
        return ReadKind::DumpMarker;
    return ReadKind::LiveFrame;
}

bool isMeterSign(const QByteArray &read) {
    return read.size() >= FrameLength && read[0] == FrameStart && read[FrameLength - 1] == FrameEnd;
}

QString ClockText(quint8 first, quint8 second) {
    return twoHexDigits(first) + QLatin1Char(':') + twoHexDigits(second);
}

void DecodeStatusA(quint8 byte, LiveValues &live) {
    MeterStatus &s = live.status;
    s.ShowClock = bit(byte, 0);
    s.ShowRel = bit(byte, 2);
    s.ShowBt = bit(byte, 3);
    s.ShowH = bit(byte, 4);
    s.ShowRec = bit(byte, 5);
    s.Fahrenheit = bit(byte, 6);
    s.TypeJ = bit(byte, 7);
    live.UnitText = s.Fahrenheit ? QStringLiteral("\u00B0F") : QStringLiteral("\u00B0C");
    live.TypeText = s.TypeJ ? QStringLiteral("J") : QStringLiteral("K");
}

void DecodeStatusB(quint8 byte, LiveValues &live) {
    MeterStatus &s = live.status;
    s.SmallShowsT2 = bit(byte, 1);
    s.MainShowsDiff = bit(byte, 2);
    s.MainShowsT2 = bit(byte, 3);
    s.ShowAvg = bit(byte, 4);
    s.ShowMin = bit(byte, 5);
    s.ShowMax = bit(byte, 6);
    s.ShowM = bit(byte, 7);
}

QString ReadingText(quint8 high, quint8 low) {
    const int word = high * 256 + low;
    if (word == 0xFFFF)
        return QStringLiteral("----");
    if (word == 0xFF00)
        return QStringLiteral("-OL");
    if (word == 0xBF00)
        return QStringLiteral("OL");

    const int magnitude = (high & 0x3F) * 256 + low;
    QString text = bit(high, 7) ? QStringLiteral("%1.%2").arg(magnitude / 10).arg(magnitude % 10)
                                : QString::number(magnitude);
    if (bit(high, 6))
        text.prepend(QLatin1Char('-'));
    return text;
}

QString DifferenceText(const QString &a, const QString &b, int sign) {
    if (!Reading::formsDifference(a) || !Reading::formsDifference(b))
        return QStringLiteral("----");

    // Counted in tenths, rounded half away from zero like the meter's own display. A text
    // far beyond any reading (a hand-edited file) has no difference the meter could show.
    const double exact = 10.0 * Reading::numericValue(a) + sign * 10.0 * Reading::numericValue(b);
    if (!(std::fabs(exact) < MaxTenths))
        return QStringLiteral("----");
    const long long tenths = std::llround(exact);
    const long long magnitude = tenths < 0 ? -tenths : tenths;
    return QStringLiteral("%1%2.%3")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 10)
        .arg(magnitude % 10);
}

} // namespace Meter
