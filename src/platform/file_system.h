// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <memory>

class FileHandle;

// What the record files' reader and writer need of the system's files: open a regular file
// for reading without blocking, create one for writing, replace a file atomically, and the
// system's own words for every failure. One implementation per system (POSIX, Win32), run
// by the same tests.
class FileSystem {
public:
    enum class Kind { Missing, Regular, Folder, Other }; // Other: a device, a pipe, a socket
    struct Entry {
        Kind kind = Kind::Missing;
        bool writable = false;  // a file may be written, a folder may take new files
        QString whyNotWritable; // the system's words, when it is not
    };
    // Failures that callers find out themselves, told in the system's words.
    enum class Problem {
        FileNotFound,
        FolderNotFound,
        NotAFolder,
        IsAFolder,
        TooManyLinks,
        AccessDenied,
    };
    // Why an open failed.
    struct Failure {
        QString reason;         // the system's own words
        bool nameTaken = false; // createNew: a file of that name exists
    };

    // Why a path that is no regular file on a disk is not read.
    static constexpr QLatin1String NotRegularFile{"Not a regular file"};

    virtual ~FileSystem() = default;

    // What the path names, links followed.
    virtual Entry look(const QString &path) const = 0;
    // A regular file on a disk for reading. Anything else (a folder, a FIFO, a device) is
    // refused with "Not a regular file", without blocking and without acting on a device.
    virtual std::unique_ptr<FileHandle> openForReading(const QString &path, Failure &failure) = 0;
    // Creates the file, or truncates it when it exists.
    virtual std::unique_ptr<FileHandle> create(const QString &path, Failure &failure) = 0;
    // Creates a file that does not exist yet. When likeFile names an existing file, the new
    // one gets its permissions (and its owner, where the system lets us).
    virtual std::unique_ptr<FileHandle> createNew(const QString &path, const QString &likeFile,
                                                  Failure &failure) = 0;
    // The process's standard output as it stands (a console, a pipe, a file); closing it
    // leaves it open.
    virtual std::unique_ptr<FileHandle> standardOutput() = 0;
    // Puts from in the place of to, atomically, and makes that survive a power cut. Empty
    // on success, else the reason.
    virtual QString replace(const QString &from, const QString &to) = 0;
    virtual void remove(const QString &path) = 0;
    virtual QString reason(Problem problem) const = 0;
};
