// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/event_pump.h"

#include <functional>

// Waits take no time; each wait and yield can run a test's hook, which is how tests make
// things happen "during" a wait (a click, a close, the meter speaking again).
class FakeEventPump : public EventPump {
public:
    void wait(double seconds) override {
        ++waits;
        waitedSeconds += seconds;
        if (onWait)
            onWait(waits);
    }
    // Takes no time either: counted as a wait, then the call follows at once.
    void after(double seconds, QObject *, std::function<void()> then) override {
        wait(seconds);
        if (!m_quitting)
            then();
    }
    bool yield() override {
        ++yields;
        if (onYield)
            onYield(yields);
        return true;
    }
    bool quitting() const override { return m_quitting; }
    void requestQuit() override { m_quitting = true; }

    int waits = 0;
    int yields = 0;
    double waitedSeconds = 0;
    std::function<void(int)> onWait;
    std::function<void(int)> onYield;

private:
    bool m_quitting = false;
};
