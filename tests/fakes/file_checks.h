// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

// Checks on the files the commands write: through the process's descriptor table (Linux),
// through the sharing the system refuses while a file is open (Windows).

#if defined(Q_OS_WIN)
// Whether the file is still open: nobody may open it exclusively while anyone holds it.
inline bool isFileOpen(const QString &path) {
    const HANDLE handle =
        ::CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                      GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return false;
    }
    return ::GetLastError() == ERROR_SHARING_VIOLATION;
}

// A full disk cannot be put under an open file on Windows: false, for a QSKIP.
inline bool fillDiskUnder(const QString &) {
    return false;
}
#else

// The descriptor through which this process holds the file open, or -1.
inline int openDescriptorOf(const QString &path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (!target.isEmpty() && QFile::symLinkTarget(fds.filePath(fd)) == target)
            return fd.toInt();
    }
    return -1;
}

// Whether the file is still open: the commands must close what they open, however they end.
inline bool isFileOpen(const QString &path) {
    return openDescriptorOf(path) >= 0;
}

// Makes every further write to the open file fail with "No space left on device", as a
// full disk would: its descriptor is pointed at /dev/full. False when it is not open.
inline bool fillDiskUnder(const QString &path) {
    const int fd = openDescriptorOf(path);
    const int full = ::open("/dev/full", O_WRONLY);
    const bool swapped = fd >= 0 && full >= 0 && ::dup2(full, fd) == fd;
    if (full >= 0)
        ::close(full);
    return swapped;
}
#endif

// The names in a folder, hidden ones included: what a save leaves behind.
inline QStringList folderEntries(const QString &folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The whole file as bytes.
inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
