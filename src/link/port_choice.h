// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The port chooser's offer: "COM1" to "COM16", matched exactly.
namespace PortChoice {

inline constexpr int PortCount = 16;

QStringList items();
// The n of "COMn" for an exact, case-sensitive match of a whole item; 0 for anything else.
int portNumberOf(const QString &text);
QString portName(int portNumber);

} // namespace PortChoice
