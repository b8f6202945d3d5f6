// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/port_choice.h"

namespace PortChoice {

QStringList items() {
    QStringList names;
    for (int n = 1; n <= PortCount; ++n)
        names << portName(n);
    return names;
}

int portNumberOf(const QString &text) {
    const QStringList names = items();
    const qsizetype index = names.indexOf(text);
    return index < 0 ? 0 : int(index) + 1;
}

QString portName(int portNumber) {
    return QStringLiteral("COM%1").arg(portNumber);
}

} // namespace PortChoice
