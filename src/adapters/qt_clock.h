// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/clock.h"

class QtClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
