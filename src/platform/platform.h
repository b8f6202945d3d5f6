#pragma once

#include <functional>
#include <memory>

class SerialLink;
class EventPump;
class Dialogs;
class Clock;
class BusyPointer;
class TextPrinter;

// The outside world as the program sees it: real adapters in the application, fakes in tests.
struct Platform {
    SerialLink *serial = nullptr;
    EventPump *pump = nullptr;
    Dialogs *dialogs = nullptr;
    Clock *clock = nullptr;
    BusyPointer *pointer = nullptr;
    std::function<std::unique_ptr<TextPrinter>()> makeTextPrinter;
};
