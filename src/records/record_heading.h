// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The first field of a record file's heading line, "K Type °C": the thermocouple type and
// the unit of the records under it. It is made here and read back here, by the two rules
// the program reads it with.
struct RecordHeading {
    QString type; // "J" or "K"
    QString unit; // "°C" or "°F"

    // Type, " Type ", unit: "K Type °C".
    QString text() const;

    // The type and the unit as the text writes them, blanks around them dropped; both empty
    // for a text of another form (a hand-edited file). What the CSV export names.
    static RecordHeading of(const QString &text);
    // The unit and type a file plot takes from any heading: "°C" when the text holds "°C",
    // otherwise "°F"; "J" when it holds a "J", otherwise "K".
    static RecordHeading forPlot(const QString &text);

    bool operator==(const RecordHeading &) const = default;
};
