// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/port_names.h"

#include "link/port_choice.h"

#include <algorithm>
#include <QRegularExpression>

namespace {

// Orders "ttyUSB2" before "ttyUSB10": the name, then its trailing number.
bool naturalLess(const QString &a, const QString &b) {
    static const QRegularExpression trailingNumber(QStringLiteral("^(.*?)(\\d+)$"));
    const auto ma = trailingNumber.match(a);
    const auto mb = trailingNumber.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
        return ma.captured(2).toULongLong() < mb.captured(2).toULongLong();
    return a < b;
}

} // namespace

bool PortNames::addMapping(const QString &argument) {
    const qsizetype eq = argument.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    const int n = PortChoice::portNumberOf(argument.left(eq));
    const QString device = argument.mid(eq + 1);
    if (n == 0 || device.isEmpty())
        return false;
    m_mappings[n] = device;
    return true;
}

void PortNames::setPresentDevices(const QStringList &devices) {
    m_present = sortedDevices(devices);
}

QString PortNames::deviceFor(int portNumber) const {
    if (m_mappings.contains(portNumber))
        return m_mappings.value(portNumber);
#ifdef Q_OS_WIN
    if (portNumber < 1 || portNumber > PortChoice::PortCount)
        return {};
    return PortChoice::portName(portNumber);
#else
    if (portNumber >= 1 && portNumber <= m_present.size())
        return m_present.at(portNumber - 1);
    return {};
#endif
}

QStringList PortNames::sortedDevices(QStringList devices) {
    std::sort(devices.begin(), devices.end(), naturalLess);
    devices.removeDuplicates();
    return devices;
}
