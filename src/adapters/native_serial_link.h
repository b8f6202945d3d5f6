// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The serial link of the system the program is built for: the Win32 API on Windows (what
// Qt's serial port does there cannot read a pseudo-terminal under Wine), QSerialPort
// elsewhere.
#include <QtGlobal>

#if defined(Q_OS_WIN)
#include "adapters/win32_serial_link.h"
using NativeSerialLink = Win32SerialLink;
#else
#include "adapters/qt_serial_link.h"
using NativeSerialLink = QtSerialLink;
#endif
