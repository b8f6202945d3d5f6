// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/event_pump.h"

#include <QElapsedTimer>

// Waits and yields by running the Qt event loop: a nested QEventLoop for waits, so the
// windows stay alive and no core is burnt while the meter is polled.
class QtEventPump : public EventPump {
public:
    QtEventPump();

    void wait(double seconds) override;
    void after(double seconds, QObject *context, std::function<void()> then) override;
    bool yield() override;
    bool quitting() const override { return m_quitting; }
    void requestQuit() override;

private:
    static constexpr int CallsPerClockReading = 32;

    QElapsedTimer m_sinceYield;
    int m_callsSinceClock = 0;
    bool m_quitting = false;
};
