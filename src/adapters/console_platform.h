// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "adapters/qt_clock.h"
#include "adapters/qt_event_pump.h"
#include "platform/busy_pointer.h"
#include "platform/platform.h"

// The platform of a run without windows, on the serial link and the dialogs it is given:
// Qt's event loop and clock, and no display. Nothing is shown, so there is no pointer to
// change, and nothing is printed or drawn: asked to, the program has gone wrong, and the
// run ends saying so.
class ConsolePlatform : public Platform {
public:
    ConsolePlatform(SerialLink &serial, Dialogs &dialogs);

    SerialLink &serial() override { return m_serial; }
    EventPump &pump() override { return m_pump; }
    Dialogs &dialogs() override { return m_dialogs; }
    Clock &clock() override { return m_clock; }
    BusyPointer &pointer() override { return m_noPointer; }
    std::unique_ptr<TextPrinter> makeTextPrinter() override;
    std::unique_ptr<Surface> makeSurface() override;
    std::unique_ptr<ImagePrinter> makeImagePrinter() override;
    std::unique_ptr<PictureWriter> makePictureWriter() override;

private:
    class NoPointer : public BusyPointer {
    public:
        void setBusy(bool) override {}
    };

    SerialLink &m_serial;
    Dialogs &m_dialogs;
    QtEventPump m_pump;
    QtClock m_clock;
    NoPointer m_noPointer;
};
