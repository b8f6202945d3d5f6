// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "adapters/console_platform.h"
#include "adapters/native_serial_link.h"
#include "fakes/fake_dialogs.h"
#include "program/program.h"

// The program on the real serial adapter, event pump and clock of a run without windows,
// its COM1 mapped to a meter's path; the dialogs are fakes.
struct LinkedProgram {
    explicit LinkedProgram(const QString &meter)
        : serial(names(meter)) {
        program.choosePort(QStringLiteral("COM1"));
    }
    static PortNames names(const QString &meter) {
        PortNames names;
        names.addMapping(QStringLiteral("COM1=") + meter);
        return names;
    }

    NativeSerialLink serial;
    FakeDialogs dialogs;
    ConsolePlatform platform{serial, dialogs};
    Program program{platform};
};
