// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>

class SerialLink;
class EventPump;
class Dialogs;
class Clock;
class BusyPointer;
class TextPrinter;
class Surface;
class ImagePrinter;
class PictureWriter;

// The outside world as the program sees it: real adapters in the application, fakes in
// tests. Every seam is required, so a program put together without one does not compile
// rather than quietly going without a feature.
class Platform {
public:
    virtual ~Platform() = default;

    virtual SerialLink &serial() = 0;
    virtual EventPump &pump() = 0;
    virtual Dialogs &dialogs() = 0;
    virtual Clock &clock() = 0;
    virtual BusyPointer &pointer() = 0;
    // A printer for the lines of a printout.
    virtual std::unique_ptr<TextPrinter> makeTextPrinter() = 0;
    // The drawing surface of a graph window, and the printer of its picture.
    virtual std::unique_ptr<Surface> makeSurface() = 0;
    virtual std::unique_ptr<ImagePrinter> makeImagePrinter() = 0;
    // The writer of a graph's picture to a PNG, SVG or PDF file.
    virtual std::unique_ptr<PictureWriter> makePictureWriter() = 0;
};
