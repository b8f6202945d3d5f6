// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <optional>

// What a reading text stands for. A reading is carried everywhere as the text the meter
// shows: a number ("25.3", "-0.5", "240"), "OL" over range, "-OL" under range or "----"
// no value; a number is taken from it only where arithmetic needs one. Every part of the
// program asks here, from the text (live values) or from the bytes a record list stores
// (the file plot, the CSV export), which must agree.
class Reading {
public:
    enum class Kind { Number, Over, Under, NoValue };

    Kind kind = Kind::Number;
    double value = 0; // for a number

    // As the graphs place a reading: "----" anywhere is no value; "L" with "-" is under
    // range, "L" without it over range; any other text is a number, its numeric value.
    static Reading of(QStringView text);
    static Reading of(QByteArrayView text);

    // The numeric value of a text: the decimal number at its start, after blanks (an
    // optional sign, digits, at most one point), read up to the first character that does
    // not fit ("1.2.3" gives 1.2, "12a" gives 12); 0 when there is none. A number beyond a
    // double's range also gives 0, with ok false.
    static double numericValue(QStringView text, bool *ok = nullptr);
    static double numericValue(QByteArrayView text, bool *ok = nullptr);

    // Whether DifferenceText can subtract the text: not when it holds "L" or "--" anywhere,
    // which "OL", "-OL" and "----" all do.
    static bool formsDifference(QStringView text);

    // The kind of a text that is exactly a reading as a record holds one: a plain number
    // (an optional sign, digits and at most one point, nothing else), "OL", "-OL" or
    // "----". Nothing for any other text (a hand-edited file).
    static std::optional<Kind> kindOf(QStringView text);
    static std::optional<Kind> kindOf(QByteArrayView text);

    bool operator==(const Reading &) const = default;
};
