// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

// How an alarm reaches a person who is not looking at the panel: a sound, and a note on
// the desktop. Widgets make them in the application; a run without windows has neither.
class AlarmSignal {
public:
    virtual ~AlarmSignal() = default;

    // One short sound; the caller repeats it until the alarm is acknowledged.
    virtual void sound() = 0;
    // A desktop notification, where the desktop offers one.
    virtual void notify(const QString &title, const QString &text) = 0;
};
