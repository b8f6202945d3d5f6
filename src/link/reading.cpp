#include "link/reading.h"

#include <QVarLengthArray>

#include <charconv>

namespace {

// The texts and the bytes of a record list are read by the same rules, one character at a
// time: a character outside Latin-1 is no digit, sign, point, "L" or blank anyway.
char16_t at(QStringView text, qsizetype i) {
    return text[i].unicode();
}

char16_t at(QByteArrayView text, qsizetype i) {
    return static_cast<unsigned char>(text[i]);
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Where a number that starts at from ends: an optional sign, digits and at most one point.
// digits says whether a digit came.
template <class View> qsizetype numberEnd(View text, qsizetype from, bool &digits) {
    qsizetype i = from;
    if (i < text.size() && (at(text, i) == u'-' || at(text, i) == u'+'))
        ++i;
    digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = at(text, i);
        if (isDigit(c))
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    return i;
}

// Where the leading number runs: [start, end) from its sign on; empty when it has no digit.
template <class View> std::pair<qsizetype, qsizetype> leadingNumberSpan(View text) {
    qsizetype start = 0;
    while (start < text.size() && at(text, start) == u' ')
        ++start;
    bool digits = false;
    const qsizetype end = numberEnd(text, start, digits);
    return {start, digits ? end : start};
}

// The number of a span of sign, digits and point, in the C locale whatever the user's.
double parseNumber(const char *begin, const char *end, bool *ok) {
    const bool negative = *begin == '-';
    if (*begin == '-' || *begin == '+')
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::fixed);
    const bool parsed = error == std::errc() && stop == end;
    if (ok)
        *ok = parsed;
    if (!parsed)
        return 0.0; // beyond a double's range
    return negative ? -value : value;
}

template <class View> Reading readingOf(View text) {
    // One look at each character: a pass of the file plot reads three cells per record.
    bool dash = false;
    bool L = false;
    int dashRun = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = at(text, i);
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
            if (i >= text.size() || at(text, i) != special[i])
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
    if (numberEnd(text, 0, digits) != text.size() || !digits)
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

double Reading::numericValue(QStringView text, bool *ok) {
    const auto [start, end] = leadingNumberSpan(text);
    if (ok)
        *ok = true;
    if (start == end)
        return 0.0;
    // Only signs, digits and points: each is one Latin-1 character.
    QVarLengthArray<char, 32> number(end - start);
    for (qsizetype i = start; i < end; ++i)
        number[i - start] = char(at(text, i));
    return parseNumber(number.cbegin(), number.cend(), ok);
}

double Reading::numericValue(QByteArrayView text, bool *ok) {
    const auto [start, end] = leadingNumberSpan(text);
    if (ok)
        *ok = true;
    if (start == end)
        return 0.0;
    return parseNumber(text.data() + start, text.data() + end, ok);
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
