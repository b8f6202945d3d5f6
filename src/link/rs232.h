// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class EventPump;
class QObject;
class SerialLink;

// The serial waits of the meter link.
namespace RS232 {

// Waits the given seconds while window events keep running.
void Delay(EventPump &pump, double seconds);

// Polls the port every 0.2 s until a live frame arrives (the frame itself is not
// decoded), then calls heard. It returns at once: the polls run from the event loop, so
// nothing waits on the stack for a meter that may stay away for hours. Nothing more
// happens once the program is quitting or the context is gone.
void WaitForMeter(SerialLink &port, EventPump &pump, QObject *context, std::function<void()> heard);

} // namespace RS232
