// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QTimer>

#include <initializer_list>

class EventPump;

// The main window's two timers as long work sees them: work that reads or writes a whole
// file, prints or lists a logger set stops them for its duration. Work may nest (a print
// pressed while a file loads); the timers run again only when the last work has ended, and
// never once the program is ending.
class TimerGate {
public:
    TimerGate(std::initializer_list<QTimer *> timers, const EventPump &pump);

    // One more piece of work: the timers stop.
    void stop();
    // That work ended: when no other work holds them, the timers start.
    void start();
    bool stopped() const { return m_holds > 0; }
    // Whether the timers run: started, and not held.
    bool running() const;

    // Holds the timers stopped for its lifetime.
    class Hold {
    public:
        explicit Hold(TimerGate &gate)
            : m_gate(gate) {
            m_gate.stop();
        }
        ~Hold() { m_gate.start(); }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        TimerGate &m_gate;
    };

private:
    QList<QTimer *> m_timers;
    const EventPump &m_pump;
    int m_holds = 0;
};
