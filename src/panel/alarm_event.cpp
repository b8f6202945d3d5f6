// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarm_event.h"

#include "link/reading.h"

QString AlarmEvent::eventName() const {
    switch (kind) {
    case Kind::High:
        return QStringLiteral("high");
    case Kind::Low:
        return QStringLiteral("low");
    case Kind::Open:
        return QStringLiteral("open");
    case Kind::Clear:
        break;
    }
    return QStringLiteral("clear");
}

QString AlarmEvent::limitText() const {
    return hasLimit() ? QString::number(limit, 'f', 1) : QString();
}

QString AlarmEvent::what() const {
    const QString channelName = alarmChannelName(channel);
    switch (alarm) {
    case Kind::High:
        return QStringLiteral("%1 above %2 %3").arg(channelName, limitText(), unit);
    case Kind::Low:
        return QStringLiteral("%1 below %2 %3").arg(channelName, limitText(), unit);
    case Kind::Open:
    case Kind::Clear:
        break;
    }
    return QStringLiteral("%1 thermocouple open").arg(channelName);
}

QString AlarmEvent::text() const {
    if (kind == Kind::Clear)
        return QStringLiteral("%1: cleared at %2")
            .arg(what(), time.toString(QStringLiteral("HH:mm:ss")));
    // A number carries its unit; "OL", "-OL" and "----" stand alone.
    const bool number = Reading::kindOf(QStringView(reading).trimmed()) == Reading::Kind::Number;
    return QStringLiteral("%1: %2").arg(what(), number ? reading.trimmed() + QLatin1Char(' ') + unit
                                                       : reading.trimmed());
}
