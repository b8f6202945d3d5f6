// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The files of the system the program is built for.
#include <QtGlobal>

#if defined(Q_OS_WIN)
#include "records/win32_file_system.h"
using NativeFileSystem = Win32FileSystem;
#else
#include "records/posix_file_system.h"
using NativeFileSystem = PosixFileSystem;
#endif

// The one instance the reader and the writers use unless they are given another.
inline FileSystem &nativeFileSystem() {
    static NativeFileSystem files;
    return files;
}
