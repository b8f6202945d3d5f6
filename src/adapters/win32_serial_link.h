// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/port_names.h"
#include "platform/serial_link.h"

#include <QObject>
#include <QTimer>

#include <memory>

// The meter's port through the Win32 API: "COMn" is the system's port \\.\COMn, set to 9600
// baud, 8 data bits, no parity, 1 stop bit. Reads take the bytes the driver holds
// (ClearCommError) and never wait (overlapped, with a read interval timeout of MAXDWORD and
// no total timeout); a port that fails, as an unplugged adapter does, is closed and
// reopened on a timer, and meanwhile reads as silence.
class Win32SerialLink : public QObject, public SerialLink {
    Q_OBJECT

public:
    static constexpr int ReopenIntervalMs = 500;

    explicit Win32SerialLink(PortNames names, QObject *parent = nullptr);
    ~Win32SerialLink() override;

    bool open(int portNumber) override;
    bool isOpen() const override;
    QByteArray readAll() override;
    bool write(const QByteArray &bytes) override;
    bool broken() const override { return m_broken; }
    void close() override;
    QString errorString() const override { return m_openError; }

    QString device() const { return m_device; }
    // The COM ports present on this machine ("COM1", "COM3", ...).
    static QStringList presentDevices();
    // How the system names a port's device ("USB Serial Port (COM3)"), the port's own name
    // when it has no other, or an empty text when no such port is present.
    static QString describe(const QString &device);

private:
    struct Port;

    bool openDevice();
    void breakDown();
    void tryReopen();

    PortNames m_names;
    std::unique_ptr<Port> m_port;
    QTimer m_reopenTimer;
    QString m_device;
    QString m_openError;
    bool m_broken = false;
};
