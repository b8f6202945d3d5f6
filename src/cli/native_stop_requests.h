// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The stop requests of the system the program is built for.
#include <QtGlobal>

#if defined(Q_OS_WIN)
#include "cli/win32_stop_requests.h"
using NativeStopRequests = Win32StopRequests;
#else
#include "cli/posix_stop_requests.h"
using NativeStopRequests = PosixStopRequests;
#endif
