// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel/alarm_limits.h"

#include <QDateTime>
#include <QMetaType>
#include <QString>

// The start or the end of one channel's alarm, as the panel, the alarms file, the
// --on-alarm command and any other subscriber take it.
struct AlarmEvent {
    enum class Kind { High, Low, Open, Clear };

    AlarmChannel channel = AlarmChannel::T1;
    Kind kind = Kind::High;
    Kind alarm = Kind::High; // the alarm that started or, for Clear, the one that ended
    QString reading;         // the reading text of the frame: "251.3", "OL", "----"
    double limit = 0;        // the limit passed; none for an open thermocouple
    QString unit;            // "°C" or "°F"
    QDateTime time;

    bool hasLimit() const { return alarm != Kind::Open; }
    // "high", "low", "open", "clear".
    QString eventName() const;
    // "250.0", or empty for an open thermocouple.
    QString limitText() const;
    // What the alarm is: "T1 above 250.0 °C", "T2 below 20.0 °C", "T1 thermocouple open".
    QString what() const;
    // The panel's line: "T1 above 250.0 °C: 251.3 °C" while it lasts, "... cleared at
    // 14:03:07" once it ended.
    QString text() const;

    bool operator==(const AlarmEvent &) const = default;
};

Q_DECLARE_METATYPE(AlarmEvent)
