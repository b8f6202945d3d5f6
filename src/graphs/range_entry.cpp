// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/range_entry.h"

#include "link/reading.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace RangeEntry {

namespace {

bool isBoxCharacter(Kind kind, QChar c) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    return kind == Kind::Decimal && (c == QLatin1Char('-') || c == QLatin1Char('.'));
}

} // namespace

bool keeps(Kind kind, QChar typed) {
    return typed == Backspace || typed == Enter || isBoxCharacter(kind, typed);
}

std::optional<double> value(const QString &text, Kind kind) {
    for (const QChar c : text) {
        if (!isBoxCharacter(kind, c))
            return std::nullopt;
    }
    // The leading number, as every reading's number is read.
    bool ok = false;
    const double number = Reading::numericValue(text, &ok);
    // Too long for a double, or too large for the single float it is stored in.
    if (!ok || std::fabs(number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return number;
}

std::pair<int, int> limits(const QString &unit, const QString &type) {
    const bool typeJ = type == QLatin1String("J");
    if (unit == QStringLiteral("\u00B0F"))
        return {typeJ ? 1400 : 2431, -310};
    // A unit that is neither (the graph opened before the meter's first frame) gets the
    // limits of °C, so the range is never empty.
    return {typeJ ? 760 : 1333, -190};
}

QString decimalText(float value) {
    const QString text = QString::number(double(value), 'g', 7);
    if (!text.contains(QLatin1Char('e')))
        return text;
    // Very small or large values: the same seven digits without an exponent.
    const double rounded = text.toDouble();
    const int exponent = int(std::floor(std::log10(std::fabs(rounded))));
    QString plain = QString::number(rounded, 'f', std::max(0, 6 - exponent));
    while (plain.contains(QLatin1Char('.')) &&
           (plain.endsWith(QLatin1Char('0')) || plain.endsWith(QLatin1Char('.'))))
        plain.chop(1);
    return plain;
}

double roundHalfEven(double value) {
    // The default rounding mode, which nothing here changes: to nearest, ties to even.
    return std::nearbyint(value);
}

} // namespace RangeEntry
