// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel/alarm_event.h"
#include "panel/alarm_limits.h"

#include <QList>

#include <array>

struct LiveValues;
class Clock;

// The readings of each live frame against the limits: which alarm each channel is in, and
// its starts and ends. "OL" is above every high limit and "-OL" below every low one; "----"
// is an open thermocouple on T1 or T2 when that alarm is on, and otherwise leaves a
// channel's alarm as it was (nothing tells whether it is back inside). An alarm clears
// once its reading is the hysteresis back inside the limit.
class AlarmCheck {
public:
    enum class State { None, High, Low, Open };
    enum class Outcome { Unchanged, Changed, SwitchedOffByUnit };

    const AlarmLimits &limits() const { return m_limits; }
    // New limits take effect at the next frame; an alarm whose limit went off then clears.
    void setLimits(const AlarmLimits &limits) { m_limits = limits; }

    // One frame: appends each start and end to events, stamped by the clock (read only
    // when there is one). A frame in another unit than the limits' switches the limits
    // off and ends their alarms (SwitchedOffByUnit); limits without a unit take the frame's.
    Outcome check(const LiveValues &live, const Clock &clock, QList<AlarmEvent> &events);

    State state(AlarmChannel channel) const { return m_states[size_t(channel)]; }
    bool anyActive() const;

private:
    State next(AlarmChannel channel, QStringView reading) const;

    AlarmLimits m_limits;
    std::array<State, 3> m_states{State::None, State::None, State::None};
    std::array<double, 3> m_limitOf{}; // the limit each active alarm passed
};
