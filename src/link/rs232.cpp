#include "link/rs232.h"

#include "link/meter.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"

namespace RS232 {

void Delay(EventPump &pump, double seconds) {
    pump.wait(seconds);
}

bool WaitForMeter(SerialLink &port, EventPump &pump) {
    for (;;) {
        Delay(pump, 0.2);
        if (pump.quitting())
            return false;
        if (Meter::isMeterSign(port.readAll()))
            return true;
    }
}

} // namespace RS232
