// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QObject;

// Lets window events run from inside a handler: the waits and long loops of the
// program run on the one user-interface thread and keep the windows alive this way.
class EventPump {
public:
    virtual ~EventPump() = default;

    // Returns after the given time (monotonic), letting events run meanwhile; returns
    // early only when the program is quitting.
    virtual void wait(double seconds) = 0;
    // Calls then once the given time has passed, from the event loop, without waiting
    // here: the frame timer's reads use it, so a dialog opened meanwhile does not hold the
    // reads up. Not called once the program is quitting or the context is gone.
    virtual void after(double seconds, QObject *context, std::function<void()> then) = 0;
    // Lets pending events run. Throttled: a call only processes events when about
    // 15 ms have passed since the last one did, so per-record calls stay cheap. True when
    // events ran: only then can a window have closed or the program started quitting.
    virtual bool yield() = 0;
    // True once the main window has closed: loops and waits stop at their next check.
    virtual bool quitting() const = 0;
    virtual void requestQuit() = 0;
};
