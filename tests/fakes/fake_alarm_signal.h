// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/alarm_signal.h"

#include <QString>
#include <QStringList>

// Counts the sounds and keeps the notifications a test checks.
class FakeAlarmSignal : public AlarmSignal {
public:
    void sound() override { ++sounds; }
    void notify(const QString &title, const QString &text) override {
        notes << title + QStringLiteral(": ") + text;
    }

    int sounds = 0;
    QStringList notes;
};
