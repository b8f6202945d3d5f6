// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cerrno>
#include <cstring>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

// The system's own words for the failures the tests provoke, as the programs pass them on:
// strerror(3) on POSIX, FormatMessageW on Windows (whose words Wine has in its own forms).
namespace SystemText {

#if defined(Q_OS_WIN)
inline QString of(unsigned long error) {
    wchar_t text[512] = {};
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                         0, text, DWORD(std::size(text)), nullptr);
    return QString::fromWCharArray(text, int(length)).trimmed();
}
inline const QString FileNotFound = of(ERROR_FILE_NOT_FOUND);
inline const QString FolderNotFound = of(ERROR_PATH_NOT_FOUND);
inline const QString IsAFolder = of(ERROR_ACCESS_DENIED);
inline const QString NotAFolder = of(ERROR_DIRECTORY);
#else
inline const QString FileNotFound = QString::fromLocal8Bit(std::strerror(ENOENT));
inline const QString FolderNotFound = FileNotFound;
inline const QString IsAFolder = QString::fromLocal8Bit(std::strerror(EISDIR));
inline const QString NotAFolder = QString::fromLocal8Bit(std::strerror(ENOTDIR));
#endif

} // namespace SystemText
