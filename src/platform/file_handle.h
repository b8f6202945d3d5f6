// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

// A file opened through the FileSystem, for reading or for writing. Every failure keeps the
// system's own words for it in errorString(). An exclusive lock of the file, were one
// needed, would be one more operation here.
class FileHandle {
public:
    virtual ~FileHandle() = default;

    // Up to maxSize bytes into data: the number read, 0 at the end, -1 on failure.
    virtual qint64 read(char *data, qint64 maxSize) = 0;
    // Writes all of bytes, going on after short writes and interruptions; returns how many
    // were written, fewer than all only on failure.
    virtual qint64 write(QByteArrayView bytes) = 0;
    // Makes what was written survive a power cut. True at once for what cannot be synced
    // and need not be (a pipe, a device, a console).
    virtual bool sync() = 0;
    // Cuts the file back to size bytes; writing goes on from there.
    virtual bool cutBack(qint64 size) = 0;
    // The file's size in bytes, -1 when the system cannot tell.
    virtual qint64 size() const = 0;
    // Closes it; a standard stream stays open. False when the system reported a failure.
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorString() const = 0;
};
