// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_state.h"
#include "link/reading.h"

#include <QString>

#include <array>

// What the cursor readout of a graph shows where the pointer is over the plot: a thin
// vertical line at x and beside it the place (a record number, a time of day) and the
// values of the curves drawn there, as their reading texts.
struct Readout {
    double x = 0;
    QString place;
    // More about the place: a record's date and time.
    QString detail;
    // T1, T2, T1-T2; empty where that curve is not drawn.
    std::array<QString, 3> values;
    QString unit;

    QString value(Channel channel) const { return values[size_t(channel)]; }
    // "T1 25.3 °C", "T2 OL", or empty where the curve is not drawn.
    QString line(Channel channel) const;

    bool operator==(const Readout &) const = default;
};

inline QString Readout::line(Channel channel) const {
    const QString &text = values[size_t(channel)];
    if (text.isEmpty())
        return {};
    const QString name = channel == Channel::T1   ? QStringLiteral("T1")
                         : channel == Channel::T2 ? QStringLiteral("T2")
                                                  : QStringLiteral("T1-T2");
    // "OL", "-OL" and "----" are no temperatures: they go without the unit, as does a text
    // that is no reading at all.
    const bool number = Reading::kindOf(text) == Reading::Kind::Number;
    return number && !unit.isEmpty() ? name + QLatin1Char(' ') + text + QLatin1Char(' ') + unit
                                     : name + QLatin1Char(' ') + text;
}
