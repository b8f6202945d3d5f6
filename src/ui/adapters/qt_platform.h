// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "adapters/console_platform.h"
#include "ui/adapters/qt_busy_pointer.h"

// The platform of the application, on the serial link and the dialogs it is given: the
// console's event loop and clock, and the display: the application's pointer, printers
// chosen in the printer dialog over the window in front, the graphs' retained images and
// their pictures written to files, in the application's font.
class QtPlatform : public ConsolePlatform {
public:
    using ConsolePlatform::ConsolePlatform;

    BusyPointer &pointer() override { return m_pointer; }
    std::unique_ptr<TextPrinter> makeTextPrinter() override;
    std::unique_ptr<Surface> makeSurface() override;
    std::unique_ptr<ImagePrinter> makeImagePrinter() override;
    std::unique_ptr<PictureWriter> makePictureWriter() override;

private:
    QtBusyPointer m_pointer;
};
