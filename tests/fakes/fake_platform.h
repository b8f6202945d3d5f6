#pragma once

#include "fakes/fake_busy_pointer.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_event_pump.h"
#include "fakes/fake_image_printer.h"
#include "fakes/fake_serial_link.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_text_printer.h"
#include "platform/platform.h"

// All fakes together, wired into a Platform.
struct FakePlatform {
    FakeSerialLink serial;
    FakeEventPump pump;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeBusyPointer pointer;
    FakeTextPrinter::Job printJob;
    FakeImagePrinter::Job imagePrintJob;

    Platform platform() {
        Platform p;
        p.serial = &serial;
        p.pump = &pump;
        p.dialogs = &dialogs;
        p.clock = &clock;
        p.pointer = &pointer;
        p.makeTextPrinter = [this] { return std::make_unique<FakeTextPrinter>(printJob); };
        p.makeSurface = [] { return std::make_unique<FakeSurface>(); };
        p.makeImagePrinter = [this] { return std::make_unique<FakeImagePrinter>(imagePrintJob); };
        return p;
    }
};
