#pragma once

#include <functional>
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

// The outside world as the program sees it: real adapters in the application, fakes in tests.
struct Platform {
    SerialLink *serial = nullptr;
    EventPump *pump = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;
    BusyPointer *pointer = nullptr;
    std::function<std::unique_ptr<TextPrinter>()> makeTextPrinter;
    // The drawing surface of a graph window, and the printer of its picture.
    std::function<std::unique_ptr<Surface>()> makeSurface;
    std::function<std::unique_ptr<ImagePrinter>()> makeImagePrinter;
    // The writer of a graph's picture to a PNG, SVG or PDF file.
    std::function<std::unique_ptr<PictureWriter>()> makePictureWriter;
};
