// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/file_system.h"

// The files of a POSIX system: open(2) with O_NONBLOCK for reading, fdatasync(2),
// ftruncate(2), rename(2) with the folder synced, strerror(3) for the reasons.
class PosixFileSystem : public FileSystem {
public:
    Entry look(const QString &path) const override;
    std::unique_ptr<FileHandle> openForReading(const QString &path, Failure &failure) override;
    std::unique_ptr<FileHandle> create(const QString &path, Failure &failure) override;
    std::unique_ptr<FileHandle> createNew(const QString &path, const QString &likeFile,
                                          Failure &failure) override;
    std::unique_ptr<FileHandle> standardOutput() override;
    QString replace(const QString &from, const QString &to) override;
    void remove(const QString &path) override;
    QString reason(Problem problem) const override;
};
