// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/port_names.h"
#include "platform/serial_link.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

// The meter's port through QSerialPort. A port that fails while open (adapter unplugged,
// the other side of a pseudo-terminal gone) is closed at once and reopened when its
// device is back; meanwhile it reads as silence.
class QtSerialLink : public QObject, public SerialLink {
    Q_OBJECT

public:
    static constexpr int ReopenIntervalMs = 500;

    explicit QtSerialLink(PortNames names, QObject *parent = nullptr);

    bool open(int portNumber) override;
    bool isOpen() const override;
    QByteArray readAll() override;
    bool write(const QByteArray &bytes) override;
    bool broken() const override { return m_broken; }
    void close() override;
    QString errorString() const override { return m_openError; }

    QString device() const { return m_device; }
    // The serial devices of this machine, as the port names count them.
    static QStringList presentDevices();
    // How the port chooser shows a device: its path as it stands.
    static QString describe(const QString &device) { return device; }

private:
    bool openDevice();
    void onError(QSerialPort::SerialPortError error);
    void tryReopen();

    PortNames m_names;
    QSerialPort m_port;
    QTimer m_reopenTimer;
    QString m_device;
    QString m_openError;
    bool m_broken = false;
};
