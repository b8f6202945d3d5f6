// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowing/timer_gate.h"

#include "platform/event_pump.h"

#include <algorithm>

TimerGate::TimerGate(std::initializer_list<QTimer *> timers, const EventPump &pump)
    : m_timers(timers)
    , m_pump(pump) {}

void TimerGate::stop() {
    ++m_holds;
    for (QTimer *timer : std::as_const(m_timers))
        timer->stop();
}

void TimerGate::start() {
    if (m_holds > 0)
        --m_holds;
    if (m_holds > 0 || m_pump.quitting())
        return;
    for (QTimer *timer : std::as_const(m_timers))
        timer->start();
}

bool TimerGate::running() const {
    return std::all_of(m_timers.cbegin(), m_timers.cend(),
                       [](const QTimer *timer) { return timer->isActive(); });
}
