// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/alarm_signal.h"

#include <memory>

class QSystemTrayIcon;

// The application's alarm: the system's bell, and a message from an icon in the system
// tray where the desktop has one (the icon is shown at the first alarm only).
class QtAlarmSignal : public AlarmSignal {
public:
    QtAlarmSignal();
    ~QtAlarmSignal() override;

    void sound() override;
    void notify(const QString &title, const QString &text) override;

private:
    std::unique_ptr<QSystemTrayIcon> m_tray;
};
