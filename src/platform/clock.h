// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>

// The PC's wall clock, for time stamps and automatic file names.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
