// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class EventPump;
class SerialLink;

// Receives the memory dump that follows a dump marker: waits 2 s, then polls the port until
// the S - 516 bytes that the dump's size word S announces have come, letting window events
// run between polls. It never blocks the user interface and gives up after 5 s without a
// byte, so a broken cable or a meter that stops half-way cannot hang the program.
class DumpReceiver {
public:
    static constexpr double PauseSeconds = 2.0;
    static constexpr double PollSeconds = 0.1;
    // Silence for this long ends the reception; counted in polls, as the waits are monotonic.
    static constexpr int StallPolls = 50;
    // The size word counts this much more than the bytes that follow the marker.
    static constexpr int SizeOverhead = 516;
    static constexpr int HeadLength = 3;

    enum class Outcome {
        Complete, // all expected bytes came
        Empty,    // the size word is 0xFFFF: the meter's memory is empty
        TooSmall, // S below 516: nothing to receive
        Stalled,  // the meter stopped sending before all bytes came
        Silent,   // not a byte came after the marker
        Stopped,  // the program is ending
    };

    struct Result {
        Outcome outcome = Outcome::Silent;
        // Everything received, the 3-byte head included; for a complete dump exactly the
        // expected bytes (anything the last read brought beyond them is not the dump's).
        QByteArray bytes;
        int memorySize = -1;     // S, -1 when fewer than 3 bytes came
        qsizetype expected = -1; // E = S - 516, -1 while S is unknown
    };

    DumpReceiver(SerialLink &port, EventPump &pump);

    // Runs the reception to its end; progress receives "57 %" after every chunk.
    Result receive(const std::function<void(const QString &)> &progress);

    // "57 %": the whole per cent of the expected bytes received, at most 100; "100 %" when
    // nothing is expected.
    static QString progressText(qsizetype received, qsizetype expected);

private:
    SerialLink &m_port;
    EventPump &m_pump;
};
