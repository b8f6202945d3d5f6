// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/console_platform.h"

#include "platform/image_printer.h"
#include "platform/picture_writer.h"
#include "platform/surface.h"
#include "platform/text_printer.h"

#include <QtGlobal>

ConsolePlatform::ConsolePlatform(SerialLink &serial, Dialogs &dialogs)
    : m_serial(serial)
    , m_dialogs(dialogs) {}

std::unique_ptr<TextPrinter> ConsolePlatform::makeTextPrinter() {
    qFatal("A run without windows prints nothing: a printout was asked for");
}

std::unique_ptr<Surface> ConsolePlatform::makeSurface() {
    qFatal("A run without windows draws nothing: a graph was opened");
}

std::unique_ptr<ImagePrinter> ConsolePlatform::makeImagePrinter() {
    qFatal("A run without windows prints nothing: a graph's picture was to be printed");
}

std::unique_ptr<PictureWriter> ConsolePlatform::makePictureWriter() {
    qFatal("A run without windows draws nothing: a graph's picture was to be saved");
}
