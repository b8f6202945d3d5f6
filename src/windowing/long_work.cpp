// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowing/long_work.h"

#include "platform/event_pump.h"

LongWork::LongWork(EventPump &pump, const WindowModel *window)
    : m_pump(pump)
    , m_window(window)
    , m_hasWindow(window != nullptr) {}

bool LongWork::step() {
    // Only when events ran can a window have closed: a load of 345,600 records asks once
    // per batch, not once per record.
    return !m_pump.yield() || goesOn();
}

bool LongWork::wait(double seconds) {
    m_pump.wait(seconds);
    return goesOn();
}

bool LongWork::goesOn() const {
    if (m_pump.quitting())
        return false;
    return !m_hasWindow || (m_window && m_window->isOpen());
}
