// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/win32_file_system.h"

#include "platform/file_handle.h"

#include <QDir>

#include <algorithm>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

// Writes go in pieces the system takes whole.
constexpr qint64 LargestWrite = qint64(1) << 30;

std::wstring nativePath(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// A handle of the process or of its own, with the reason of its first failure.
class Win32FileHandle : public FileHandle {
public:
    Win32FileHandle(HANDLE handle, bool owned)
        : m_handle(handle)
        , m_owned(owned)
        , m_onDisk(::GetFileType(handle) == FILE_TYPE_DISK) {}
    ~Win32FileHandle() override { close(); }

    qint64 read(char *data, qint64 maxSize) override {
        DWORD got = 0;
        if (::ReadFile(m_handle, data, DWORD(std::min(maxSize, LargestWrite)), &got, nullptr))
            return qint64(got);
        // A pipe whose writer is gone has simply ended.
        if (::GetLastError() == ERROR_BROKEN_PIPE)
            return 0;
        return failed(::GetLastError());
    }

    qint64 write(QByteArrayView bytes) override {
        qint64 done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            const DWORD piece = DWORD(std::min(bytes.size() - done, LargestWrite));
            if (!::WriteFile(m_handle, bytes.data() + done, piece, &written, nullptr)) {
                failed(::GetLastError());
                break;
            }
            if (written == 0) {
                failed(ERROR_DISK_FULL); // nothing taken and no reason given: no room
                break;
            }
            done += written;
        }
        return done;
    }

    bool sync() override {
        // A console, a pipe or a device cannot be synced and need not be.
        if (!m_onDisk || ::FlushFileBuffers(m_handle))
            return true;
        failed(::GetLastError());
        return false;
    }

    bool cutBack(qint64 size) override {
        LARGE_INTEGER position;
        position.QuadPart = size;
        if (::SetFilePointerEx(m_handle, position, nullptr, FILE_BEGIN) && ::SetEndOfFile(m_handle))
            return true;
        failed(::GetLastError());
        return false;
    }

    qint64 size() const override {
        LARGE_INTEGER size;
        return ::GetFileSizeEx(m_handle, &size) ? qint64(size.QuadPart) : -1;
    }

    bool close() override {
        if (m_handle == INVALID_HANDLE_VALUE)
            return true;
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!m_owned || ::CloseHandle(handle))
            return true;
        failed(::GetLastError());
        return false;
    }

    bool isOpen() const override { return m_handle != INVALID_HANDLE_VALUE; }
    QString errorString() const override { return m_error; }

private:
    qint64 failed(DWORD error) {
        if (m_error.isEmpty())
            m_error = Win32FileSystem::systemReason(error);
        return -1;
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    bool m_owned = true;
    bool m_onDisk = false;
    QString m_error;
};

std::unique_ptr<FileHandle> openedForWriting(const QString &path, DWORD disposition,
                                             FileSystem::Failure &failure) {
    // Others may read a record file while it is written (a recording runs for days), and
    // may delete or rename it, as on POSIX; nobody else writes it.
    const HANDLE handle =
        ::CreateFileW(nativePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        failure.reason = Win32FileSystem::systemReason(error);
        failure.nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return nullptr;
    }
    return std::make_unique<Win32FileHandle>(handle, true);
}

} // namespace

QString Win32FileSystem::systemReason(unsigned long error) {
    wchar_t *text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString reason = length ? QString::fromWCharArray(text, int(length)).trimmed()
                            : QStringLiteral("Windows error %1").arg(error);
    ::LocalFree(text);
    return reason;
}

FileSystem::Entry Win32FileSystem::look(const QString &path) const {
    const std::wstring name = nativePath(path);
    // Names of devices ("\\.\COM1", "NUL") are no files, whatever the attributes say.
    if (name.rfind(L"\\\\.\\", 0) == 0)
        return {Kind::Other, true, {}};
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {};
    Entry entry;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        // A folder's read-only flag means nothing to the files in it: the open tells.
        entry.kind = Kind::Folder;
        entry.writable = true;
        return entry;
    }
    entry.kind = (attributes & FILE_ATTRIBUTE_DEVICE) ? Kind::Other : Kind::Regular;
    entry.writable = !(attributes & FILE_ATTRIBUTE_READONLY);
    if (!entry.writable)
        entry.whyNotWritable = systemReason(ERROR_ACCESS_DENIED);
    return entry;
}

std::unique_ptr<FileHandle> Win32FileSystem::openForReading(const QString &path, Failure &failure) {
    // A folder is refused before it is opened; a device or a pipe once the open handle says
    // what it is. Opening a named pipe or a COM port does not block.
    const std::wstring name = nativePath(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        failure.reason = NotRegularFile;
        return nullptr;
    }
    const HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        failure.reason = systemReason(::GetLastError());
        return nullptr;
    }
    auto file = std::make_unique<Win32FileHandle>(handle, true);
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        failure.reason = NotRegularFile;
        return nullptr;
    }
    return file;
}

std::unique_ptr<FileHandle> Win32FileSystem::create(const QString &path, Failure &failure) {
    return openedForWriting(path, CREATE_ALWAYS, failure);
}

std::unique_ptr<FileHandle> Win32FileSystem::createNew(const QString &path, const QString &likeFile,
                                                       Failure &failure) {
    // The new file takes its folder's permissions, as every new file on Windows does; the
    // attributes of the one it replaces are kept.
    auto file = openedForWriting(path, CREATE_NEW, failure);
    if (file && !likeFile.isEmpty()) {
        const DWORD attributes = ::GetFileAttributesW(nativePath(likeFile).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            ::SetFileAttributesW(nativePath(path).c_str(),
                                 attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE |
                                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    }
    return file;
}

std::unique_ptr<FileHandle> Win32FileSystem::standardOutput() {
    return std::make_unique<Win32FileHandle>(::GetStdHandle(STD_OUTPUT_HANDLE), false);
}

QString Win32FileSystem::replace(const QString &from, const QString &to) {
    // Write-through: the move is on the disk when the call returns.
    if (::MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return systemReason(::GetLastError());
}

void Win32FileSystem::remove(const QString &path) {
    ::DeleteFileW(nativePath(path).c_str());
}

QString Win32FileSystem::reason(Problem problem) const {
    switch (problem) {
    case Problem::FileNotFound:
        return systemReason(ERROR_FILE_NOT_FOUND);
    case Problem::FolderNotFound:
        return systemReason(ERROR_PATH_NOT_FOUND);
    case Problem::NotAFolder:
        return systemReason(ERROR_DIRECTORY);
    case Problem::IsAFolder:
        // What Windows says when a folder's name is opened for writing.
        return systemReason(ERROR_ACCESS_DENIED);
    case Problem::TooManyLinks:
        return systemReason(ERROR_CANT_RESOLVE_FILENAME);
    case Problem::AccessDenied:
        return systemReason(ERROR_ACCESS_DENIED);
    }
    return {};
}
