// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/busy_pointer.h"

#include <QList>

// Records every change of the pointer: true for the hourglass, false for the default.
class FakeBusyPointer : public BusyPointer {
public:
    void setBusy(bool busy) override { changes.append(busy); }

    QList<bool> changes;
};
