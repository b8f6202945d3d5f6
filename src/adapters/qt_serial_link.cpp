// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/qt_serial_link.h"

#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

// Bytes kept between two reads; far more than the meter sends while the timers are
// stopped for a long operation, and a bound on what a runaway device can cost.
constexpr qint64 ReadBufferBytes = 1 << 20;

} // namespace

QtSerialLink::QtSerialLink(PortNames names, QObject *parent)
    : QObject(parent)
    , m_names(std::move(names)) {
    m_reopenTimer.setInterval(ReopenIntervalMs);
    connect(&m_reopenTimer, &QTimer::timeout, this, &QtSerialLink::tryReopen);
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialLink::onError);
}

bool QtSerialLink::open(int portNumber) {
    m_device = m_names.deviceFor(portNumber);
    if (m_device.isEmpty()) {
        m_openError = QStringLiteral("no serial device has this name");
        return false;
    }
    return openDevice();
}

QStringList QtSerialLink::presentDevices() {
    QStringList devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices << info.systemLocation();
    return devices;
}

bool QtSerialLink::openDevice() {
    // QSerialPort takes a bare name as /dev/NAME; a symlink must be followed by hand
    // because QSerialPort names the lock file after the link.
    QFileInfo info(m_device);
    const QString target = info.isSymLink() ? info.symLinkTarget() : m_device;
    m_port.setPortName(target);
    m_port.setReadBufferSize(ReadBufferBytes);
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_openError = m_port.errorString();
        return false;
    }
    const bool configured =
        m_port.setBaudRate(QSerialPort::Baud9600) && m_port.setDataBits(QSerialPort::Data8) &&
        m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_openError = m_port.errorString();
        m_port.close();
        return false;
    }
    return true;
}

bool QtSerialLink::isOpen() const {
    return m_port.isOpen() || m_broken;
}

QByteArray QtSerialLink::readAll() {
    if (!m_port.isOpen())
        return {};
    return m_port.readAll();
}

bool QtSerialLink::write(const QByteArray &bytes) {
    return m_port.isOpen() && m_port.write(bytes) == bytes.size();
}

void QtSerialLink::close() {
    m_reopenTimer.stop();
    m_broken = false;
    if (m_port.isOpen())
        m_port.close();
}

void QtSerialLink::onError(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
    case QSerialPort::TimeoutError:
    case QSerialPort::OpenError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::NotOpenError:
    case QSerialPort::UnsupportedOperationError:
        return;
    default:
        break;
    }
    if (!m_port.isOpen())
        return;
    // A failed device reports its error in a tight loop: close it at the first one and
    // come back to it on a timer.
    m_port.close();
    m_port.clearError();
    m_broken = true;
    m_reopenTimer.start();
}

void QtSerialLink::tryReopen() {
    if (!m_broken || !QFileInfo::exists(m_device))
        return;
    if (openDevice()) {
        m_broken = false;
        m_reopenTimer.stop();
    }
}
