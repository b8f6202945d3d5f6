// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

// The serial line to the meter: opened once at load, read by polling, written only
// for the logger's erase command.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens the port named "COM" + portNumber with 9600 baud, no parity, 8 data bits,
    // 1 stop bit. False when no such port exists or it cannot be opened.
    virtual bool open(int portNumber) = 0;
    virtual bool isOpen() const = 0;
    // Everything received since the last read, possibly empty; never blocks. A port
    // that broke while open (adapter unplugged) reads as silence until it is back.
    virtual QByteArray readAll() = 0;
    virtual bool write(const QByteArray &bytes) = 0;
    // True while the opened port has failed and is not (yet) open again.
    virtual bool broken() const = 0;
    virtual void close() = 0;
    // Why the last open failed, as the system says it; empty when unknown.
    virtual QString errorString() const { return {}; }
};
