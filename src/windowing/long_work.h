// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowing/window_model.h"

#include <QPointer>

class EventPump;

// The rule of long work on the one user-interface thread: between its steps it lets window
// events run, and after they have run the window it works on may have closed and the
// program may be ending. Then the work stops: every long loop asks here.
class LongWork {
public:
    // Without a window the work only stops when the program is ending.
    explicit LongWork(EventPump &pump, const WindowModel *window = nullptr);

    // Lets pending events run (throttled by the pump); false once the work must stop.
    bool step();
    // Waits, letting events run; false once the work must stop.
    bool wait(double seconds);
    // Whether the window is still open and the program not ending.
    bool goesOn() const;

private:
    EventPump &m_pump;
    QPointer<const WindowModel> m_window;
    bool m_hasWindow = false;
};
