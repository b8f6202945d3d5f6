#pragma once

class EventPump;
class SerialLink;

// The serial waits of the meter link.
namespace RS232 {

// Waits the given seconds while window events keep running.
void Delay(EventPump &pump, double seconds);

// Polls the port every 0.2 s until a live frame arrives (the frame itself is not
// decoded). False when the program started quitting meanwhile.
bool WaitForMeter(SerialLink &port, EventPump &pump);

} // namespace RS232
