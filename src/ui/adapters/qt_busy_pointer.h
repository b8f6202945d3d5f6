// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/busy_pointer.h"

#include <QApplication>

// The hourglass as Qt's application-wide override cursor.
class QtBusyPointer : public BusyPointer {
public:
    void setBusy(bool busy) override {
        if (busy == m_busy)
            return;
        m_busy = busy;
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    bool m_busy = false;
};
