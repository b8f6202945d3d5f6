// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel/alarm_limits.h"
#include "windowing/window_model.h"

class Alarms;

// The "Alarms" window: for T1, T2 and T1-T2 a high and a low limit, each switched on or
// off, and a hysteresis; the switch of the open-thermocouple alarm; the alarms' text and
// their acknowledgement. Every change takes effect at the next live frame.
class AlarmsModel : public WindowModel {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"Alarms"};

    explicit AlarmsModel(Alarms &alarms, QObject *parent = nullptr);

    const AlarmLimits &limits() const;
    void setLimits(const AlarmLimits &limits);
    // "Limits in °C", or that they take the meter's unit when no frame has told it yet.
    QString unitText() const;
    QString alarmText() const;
    // Whether an alarm lasts now (its text is shown in red).
    bool alarming() const;
    void acknowledge();

signals:
    // The limits, the alarms' text or the unit changed: the view shows them again.
    void changed();

private:
    Alarms &m_alarms;
};
