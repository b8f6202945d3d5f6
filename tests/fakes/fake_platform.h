// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fakes/fake_busy_pointer.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_event_pump.h"
#include "fakes/fake_image_printer.h"
#include "fakes/fake_serial_link.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_text_printer.h"
#include "platform/picture_writer.h"
#include "platform/platform.h"

#include <functional>

// All fakes together, and the program's platform made of them. A test that draws, prints or
// saves pictures for real hands in the Qt adapter's factory instead of the fake's.
struct FakePlatform {
    FakeSerialLink serial;
    FakeEventPump pump;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeBusyPointer pointer;
    FakeTextPrinter::Job printJob;
    FakeImagePrinter::Job imagePrintJob;

    std::function<std::unique_ptr<TextPrinter>()> makeTextPrinter = [this] {
        return std::make_unique<FakeTextPrinter>(printJob);
    };
    std::function<std::unique_ptr<Surface>()> makeSurface = [] {
        return std::make_unique<FakeSurface>();
    };
    std::function<std::unique_ptr<ImagePrinter>()> makeImagePrinter = [this] {
        return std::make_unique<FakeImagePrinter>(imagePrintJob);
    };
    // None unless a test of "Save Image" hands in the writer it checks.
    std::function<std::unique_ptr<PictureWriter>()> makePictureWriter;

    Platform &platform() { return m_platform; }

private:
    struct Wiring : Platform {
        explicit Wiring(FakePlatform &fakes)
            : f(fakes) {}
        SerialLink &serial() override { return f.serial; }
        EventPump &pump() override { return f.pump; }
        Dialogs &dialogs() override { return f.dialogs; }
        Clock &clock() override { return f.clock; }
        BusyPointer &pointer() override { return f.pointer; }
        std::unique_ptr<TextPrinter> makeTextPrinter() override { return f.makeTextPrinter(); }
        std::unique_ptr<Surface> makeSurface() override { return f.makeSurface(); }
        std::unique_ptr<ImagePrinter> makeImagePrinter() override { return f.makeImagePrinter(); }
        std::unique_ptr<PictureWriter> makePictureWriter() override {
            if (!f.makePictureWriter)
                qFatal("This test saves no picture: it handed in no picture writer");
            return f.makePictureWriter();
        }
        FakePlatform &f;
    };
    Wiring m_platform{*this};
};
