// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/clock.h"

// A clock that stands still until a test moves it.
class FakeClock : public Clock {
public:
    QDateTime now() const override { return current; }
    void advance(int seconds) { current = current.addSecs(seconds); }

    QDateTime current{QDate(2001, 5, 3), QTime(14, 25, 1)};
};
