// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/serial_link.h"

#include <QCoreApplication>

// A meter that never answers, for benchmarks whose panel timers are stopped anyway.
class SilentMeter : public SerialLink {
public:
    bool open(int) override { return true; }
    bool isOpen() const override { return true; }
    QByteArray readAll() override { return {}; }
    bool write(const QByteArray &) override { return true; }
    bool broken() const override { return false; }
    void close() override {}
};

// Delivers what the program posted, as the event loop would between two events.
inline void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
