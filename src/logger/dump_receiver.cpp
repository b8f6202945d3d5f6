// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/dump_receiver.h"

#include "platform/serial_link.h"
#include "windowing/long_work.h"

#include <algorithm>

DumpReceiver::DumpReceiver(SerialLink &port, EventPump &pump)
    : m_port(port)
    , m_pump(pump) {}

QString DumpReceiver::progressText(qsizetype received, qsizetype expected) {
    // Bytes beyond the expected ones are not the dump's (a live frame right behind it).
    const qsizetype percent = expected > 0 ? std::min(received, expected) * 100 / expected : 100;
    return QString::number(percent) + QStringLiteral(" %");
}

DumpReceiver::Result DumpReceiver::receive(const std::function<void(const QString &)> &progress) {
    Result result;
    LongWork work(m_pump);
    if (!work.wait(PauseSeconds)) {
        result.outcome = Outcome::Stopped;
        return result;
    }
    QByteArray &D = result.bytes;
    int quietPolls = 0;
    for (;;) {
        const QByteArray read = m_port.readAll();
        if (!read.isEmpty()) {
            quietPolls = 0;
            D += read;
            // S needs bytes 2 and 3; a first read of fewer waits for them.
            if (result.memorySize < 0 && D.size() >= HeadLength) {
                result.memorySize = quint8(D[1]) * 256 + quint8(D[2]);
                if (result.memorySize == 0xFFFF) {
                    result.outcome = Outcome::Empty;
                    return result;
                }
                result.expected = result.memorySize - SizeOverhead;
                if (result.expected < 0) {
                    result.outcome = Outcome::TooSmall;
                    return result;
                }
            }
            if (result.expected >= 0) {
                if (progress)
                    progress(progressText(D.size(), result.expected));
                if (D.size() >= result.expected) {
                    D.truncate(std::max<qsizetype>(result.expected, HeadLength));
                    result.outcome = Outcome::Complete;
                    return result;
                }
            }
        } else if (++quietPolls >= StallPolls) {
            result.outcome = D.isEmpty() ? Outcome::Silent : Outcome::Stalled;
            return result;
        }
        if (!work.wait(PollSeconds)) {
            result.outcome = Outcome::Stopped;
            return result;
        }
    }
}
