// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QChar>
#include <QString>

#include <optional>
#include <utility>

// The text boxes of the graphs' range panels: which typed characters a box lets through,
// and which number its text stands for.
namespace RangeEntry {

// Max and Min take a sign and a point; Counts, From and To only digits.
enum class Kind { Decimal, Whole };

inline constexpr QChar Backspace{8};
inline constexpr QChar Enter{13};

// Whether the box lets a typed character through: its characters, Backspace and Enter.
bool keeps(Kind kind, QChar typed);

// The leading number of the text, 0 when there is none ("1.2.3" is 1.2). Nothing when the
// text holds a character the box would not have let through (it was pasted: "1e99") or
// its number is too large for a single float.
std::optional<double> value(const QString &text, Kind kind);

// The limits of the value range for a unit ("°C", "°F") and a thermocouple type, highest
// first: °F 1400 (J) or 2431 down to -310, °C 760 (J) or 1333 down to -190. Any other unit
// counts as °C.
std::pair<int, int> limits(const QString &unit, const QString &type);

// A range value as the panel shows it: a plain decimal with a point, at most 7
// significant digits, no trailing zeros (1400, -310, 12.5).
QString decimalText(float value);

// The nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

} // namespace RangeEntry
