// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/rs232.h"

#include "link/meter.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"

namespace RS232 {

void Delay(EventPump &pump, double seconds) {
    pump.wait(seconds);
}

void WaitForMeter(SerialLink &port, EventPump &pump, QObject *context,
                  std::function<void()> heard) {
    pump.after(0.2, context, [&port, &pump, context, heard = std::move(heard)]() mutable {
        if (Meter::isMeterSign(port.readAll()))
            heard();
        else
            WaitForMeter(port, pump, context, std::move(heard));
    });
}

} // namespace RS232
