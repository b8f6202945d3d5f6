// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/file_system.h"

// The files of Windows: CreateFileW, FlushFileBuffers, SetFilePointerEx and SetEndOfFile
// to cut back, MoveFileExW (replace existing, write through) for the atomic save,
// GetFileType so that only disk files are read, FormatMessageW for the reasons.
class Win32FileSystem : public FileSystem {
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

    // The system's words for a Windows error code, without the final line end.
    static QString systemReason(unsigned long error);
};
