// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/reading.h"

#include <QVarLengthArray>

#include <charconv>

namespace {

// The texts and the bytes of a record list are read by the same rules, one character at a
// time: a character outside Latin-1 is no digit, sign, point, "L" or blank anyway.
char16_t charAt(QStringView text, qsizetype i) {
    return text[i].unicode();
}

char16_t charAt(QByteArrayView text, qsizetype i) {
    return static_cast<unsigned char>(text[i]);
}

// The characters of a text, as the number rules below walk them.
const char *charsOf(QByteArrayView text) {
    return text.data();
}

const char16_t *charsOf(QStringView text) {
    return text.utf16();
}

// Where a number that starts at p ends: an optional sign, digits and at most one point.
// digits says whether a digit came. Walked by pointer: a pass of the file plot reads three
// cells per record.
template <class Char> const Char *numberEnd(const Char *p, const Char *end, bool &digits) {
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    digits = false;
    bool point = false;
    for (; p != end; ++p) {
        if (*p >= '0' && *p <= '9')
            digits = true;
        else if (*p == '.' && !point)
            point = true;
        else
            break;
    }
    return p;
}

template <class View> Reading readingOf(View text) {
    // One look at each character: a pass of the file plot reads three cells per record.
    bool dash = false;
    bool L = false;
    int dashRun = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = charAt(text, i);
        dashRun = c == u'-' ? dashRun + 1 : 0;
        if (dashRun == 4)
            return {Reading::Kind::NoValue, 0};
        dash = dash || c == u'-';
        L = L || c == u'L';
    }
    if (L)
        return {dash ? Reading::Kind::Under : Reading::Kind::Over, 0};
    return {Reading::Kind::Number, Reading::numericValue(text)};
}

template <class View> std::optional<Reading::Kind> kindOfText(View text) {
    const auto is = [&text](const char16_t *special) {
        qsizetype i = 0;
        for (; special[i]; ++i) {
            if (i >= text.size() || charAt(text, i) != special[i])
                return false;
        }
        return i == text.size();
    };
    if (is(u"OL"))
        return Reading::Kind::Over;
    if (is(u"-OL"))
        return Reading::Kind::Under;
    if (is(u"----"))
        return Reading::Kind::NoValue;
    bool digits = false;
    const auto *end = charsOf(text) + text.size();
    if (numberEnd(charsOf(text), end, digits) != end || !digits)
        return std::nullopt;
    return Reading::Kind::Number;
}

} // namespace

Reading Reading::of(QStringView text) {
    return readingOf(text);
}

Reading Reading::of(QByteArrayView text) {
    return readingOf(text);
}

// A text's number holds only blanks, signs, digits and points, each one Latin-1 character:
// it is read as those bytes.
double Reading::numericValue(QStringView text, bool *ok) {
    const char16_t *p = charsOf(text);
    const char16_t *const end = p + text.size();
    while (p != end && *p == u' ')
        ++p;
    bool digits = false;
    QVarLengthArray<char, 32> bytes(numberEnd(p, end, digits) - p);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(p[i]);
    return numericValue(QByteArrayView(bytes.cbegin(), bytes.cend()), ok);
}

// In the C locale whatever the user's.
double Reading::numericValue(QByteArrayView text, bool *ok) {
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p != end && *p == ' ')
        ++p;
    bool digits = false;
    const char *const stop = numberEnd(p, end, digits);
    bool parsed = true;
    double value = 0;
    if (digits) {
        const bool negative = *p == '-';
        const char *const from = *p == '-' || *p == '+' ? p + 1 : p;
        const auto [last, error] = std::from_chars(from, stop, value, std::chars_format::fixed);
        parsed = error == std::errc() && last == stop;
        // Beyond a double's range gives 0.
        value = !parsed ? 0.0 : negative ? -value : value;
    }
    if (ok)
        *ok = parsed;
    return value;
}

bool Reading::formsDifference(QStringView text) {
    return !text.contains(QLatin1Char('L')) && !text.contains(QLatin1StringView("--"));
}

std::optional<Reading::Kind> Reading::kindOf(QStringView text) {
    return kindOfText(text);
}

std::optional<Reading::Kind> Reading::kindOf(QByteArrayView text) {
    return kindOfText(text);
}
