// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The mouse pointer of all windows: the hourglass while work blocks them (the dump of a
// full live list, a printout), the default pointer again afterwards.
class BusyPointer {
public:
    virtual ~BusyPointer() = default;
    virtual void setBusy(bool busy) = 0;
};
