#pragma once

#include "adapters/native_serial_link.h"
#include "adapters/qt_clock.h"
#include "adapters/qt_event_pump.h"
#include "fakes/fake_busy_pointer.h"
#include "fakes/fake_dialogs.h"
#include "platform/platform.h"
#include "program/program.h"

// The program on the real serial adapter, event pump and clock, its COM1 mapped to a
// meter's path; the dialogs and the pointer are fakes.
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
    QtEventPump pump;
    FakeDialogs dialogs;
    QtClock clock;
    FakeBusyPointer pointer;
    Program program{platform()};

private:
    Platform platform() {
        Platform p;
        p.serial = &serial;
        p.pump = &pump;
        p.dialogs = &dialogs;
        p.clock = &clock;
        p.pointer = &pointer;
        return p;
    }
};
