// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes through the decoding of the meter's reads: recognition, both
// status bytes, the reading words of a frame and the difference of its readings.

#include "link/meter.h"
#include "link/reading.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first byte cuts the input into reads of up to 255 bytes, as the port hands them.
    const qsizetype chunk = size ? qsizetype(data[0]) + 1 : 1;
    for (qsizetype at = 1; at < bytes.size(); at += chunk) {
        const QByteArray read = bytes.mid(at, chunk);
        if (Meter::classifyRead(read) != Meter::ReadKind::LiveFrame)
            continue;
        LiveValues live;
        const auto byte = [&read](int position) { return quint8(read.at(position - 1)); };
        Meter::ClockText(byte(2), byte(3));
        Meter::DecodeStatusA(byte(4), live);
        Meter::DecodeStatusB(byte(5), live);
        const QString main = Meter::ReadingText(byte(6), byte(7));
        const QString small = Meter::ReadingText(byte(8), byte(9));
        Meter::DifferenceText(main, small, -1);
        Meter::DifferenceText(small, main, +1);
    }
    // Any text as a reading, or as the bytes a list stores: what it stands for, its numeric
    // value and the difference never fail, and text and bytes agree.
    const QString text = QString::fromLatin1(bytes);
    if (!(Reading::of(QStringView(text)) == Reading::of(QByteArrayView(bytes))) ||
        Reading::kindOf(QStringView(text)) != Reading::kindOf(QByteArrayView(bytes)))
        __builtin_trap();
    Reading::numericValue(QStringView(text));
    Meter::DifferenceText(text, text.mid(qsizetype(size / 2)), -1);
    return 0;
}
