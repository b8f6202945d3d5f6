// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/windows1252.h"

#include <algorithm>
#include <array>

namespace {

// The characters of bytes 0x80-0x9F; undefined bytes keep their own value.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

char encodeSlow(char16_t c) {
    if (c >= 0xA0 && c <= 0xFF)
        return char(c);
    const auto found = std::find(HighControls.begin(), HighControls.end(), c);
    if (found != HighControls.end())
        return char(0x80 + (found - HighControls.begin()));
    return '?';
}

} // namespace

namespace Windows1252 {

QByteArray encode(QStringView text) {
    const qsizetype size = text.size();
    const char16_t *src = text.utf16();
    QByteArray out(size, Qt::Uninitialized);
    char *dst = out.data();

    // Record files are almost entirely ASCII: copy that run without further tests.
    qsizetype i = 0;
    while (i < size && src[i] < 0x80) {
        dst[i] = char(src[i]);
        ++i;
    }
    if (i == size)
        return out;

    qsizetype o = i;
    for (; i < size; ++i) {
        const char16_t c = src[i];
        if (c < 0x80) {
            dst[o++] = char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(src[i + 1])) {
            dst[o++] = '?'; // one character beyond the BMP, one '?'
            ++i;
        } else {
            dst[o++] = encodeSlow(c);
        }
    }
    out.truncate(o);
    return out;
}

QString decode(QByteArrayView bytes) {
    QString out = QString::fromLatin1(bytes);
    const char *src = bytes.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(src[i]);
        if (b >= 0x80 && b <= 0x9F)
            out[i] = QChar(HighControls[b - 0x80]);
    }
    return out;
}

} // namespace Windows1252
