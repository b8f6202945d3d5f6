#pragma once

#include "fakes/fake_clock.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_event_pump.h"
#include "fakes/fake_serial_link.h"
#include "program/platform.h"

// All fakes together, wired into a Platform.
struct FakePlatform {
    FakeSerialLink serial;
    FakeEventPump pump;
    FakeDialogs dialogs;
    FakeClock clock;

    Platform platform() {
        Platform p;
        p.serial = &serial;
        p.pump = &pump;
        p.dialogs = &dialogs;
        p.clock = &clock;
        return p;
    }
};
