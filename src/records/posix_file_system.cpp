// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/posix_file_system.h"

#include "platform/file_handle.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray nativeName(const QString &path) {
    return QFile::encodeName(path);
}

int openRetrying(const QByteArray &name, int flags, mode_t mode = 0) {
    int fd = -1;
    do {
        fd = ::open(name.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A descriptor of the process or of its own, with the reason of its first failure.
class PosixFileHandle : public FileHandle {
public:
    PosixFileHandle(int fd, bool owned)
        : m_fd(fd)
        , m_owned(owned) {}
    ~PosixFileHandle() override { close(); }

    qint64 read(char *data, qint64 maxSize) override {
        for (;;) {
            const ssize_t got = ::read(m_fd, data, size_t(maxSize));
            if (got >= 0)
                return got;
            if (errno != EINTR)
                return failed(errno);
        }
    }

    qint64 write(QByteArrayView bytes) override {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(m_fd, bytes.data() + done, size_t(bytes.size() - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                // Nothing taken and no reason given: no room.
                failed(written == 0 ? ENOSPC : errno);
                break;
            }
            done += written;
        }
        return done;
    }

    bool sync() override {
        // A pipe or a device cannot be synced and need not be.
        if (::fdatasync(m_fd) == 0 || errno == EINVAL || errno == EROFS)
            return true;
        failed(errno);
        return false;
    }

    bool cutBack(qint64 size) override {
        if (::ftruncate(m_fd, off_t(size)) == 0 && ::lseek(m_fd, off_t(size), SEEK_SET) == size)
            return true;
        failed(errno);
        return false;
    }

    qint64 size() const override {
        struct stat info;
        return ::fstat(m_fd, &info) == 0 ? qint64(info.st_size) : -1;
    }

    bool close() override {
        if (m_fd < 0)
            return true;
        const int fd = m_fd;
        m_fd = -1;
        // After EINTR the descriptor is gone all the same (Linux); the data was synced before.
        if (!m_owned || ::close(fd) == 0 || errno == EINTR)
            return true;
        failed(errno);
        return false;
    }

    bool isOpen() const override { return m_fd >= 0; }
    QString errorString() const override { return m_error; }

private:
    qint64 failed(int error) {
        if (m_error.isEmpty())
            m_error = systemReason(error);
        return -1;
    }

    int m_fd = -1;
    bool m_owned = true;
    QString m_error;
};

std::unique_ptr<FileHandle> opened(int fd, FileSystem::Failure &failure) {
    if (fd < 0) {
        failure.reason = systemReason(errno);
        failure.nameTaken = errno == EEXIST;
        return nullptr;
    }
    return std::make_unique<PosixFileHandle>(fd, true);
}

} // namespace

FileSystem::Entry PosixFileSystem::look(const QString &path) const {
    const QByteArray name = nativeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0)
        return {};
    Entry entry;
    if (S_ISREG(info.st_mode))
        entry.kind = Kind::Regular;
    else if (S_ISDIR(info.st_mode))
        entry.kind = Kind::Folder;
    else
        entry.kind = Kind::Other;
    // A folder takes new files when it may be written and searched.
    entry.writable =
        ::access(name.constData(), entry.kind == Kind::Folder ? W_OK | X_OK : W_OK) == 0;
    if (!entry.writable)
        entry.whyNotWritable = systemReason(errno);
    return entry;
}

std::unique_ptr<FileHandle> PosixFileSystem::openForReading(const QString &path, Failure &failure) {
    // Opening a FIFO waits for a writer; a device may never end or may act on being opened.
    // The path is looked at first, so a device is not even opened; the open itself does not
    // block, and the descriptor is looked at again, in case the path was replaced between.
    const QByteArray name = nativeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0) {
        failure.reason = systemReason(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        failure.reason = NotRegularFile;
        return nullptr;
    }
    const int fd = openRetrying(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        failure.reason = systemReason(errno);
        return nullptr;
    }
    auto file = std::make_unique<PosixFileHandle>(fd, true);
    if (::fstat(fd, &info) != 0) {
        failure.reason = systemReason(errno);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        failure.reason = NotRegularFile;
        return nullptr;
    }
    // Reads of a regular file do not block anyway; an ordinary descriptor reads as usual.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        failure.reason = systemReason(errno);
        return nullptr;
    }
    return file;
}

std::unique_ptr<FileHandle> PosixFileSystem::create(const QString &path, Failure &failure) {
    return opened(openRetrying(nativeName(path), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666),
                  failure);
}

std::unique_ptr<FileHandle> PosixFileSystem::createNew(const QString &path, const QString &likeFile,
                                                       Failure &failure) {
    auto file = opened(
        openRetrying(nativeName(path), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), failure);
    struct stat like;
    if (!file || likeFile.isEmpty() || ::stat(nativeName(likeFile).constData(), &like) != 0)
        return file;
    // The new file keeps the old one's permissions, and its owner where the system lets us
    // (a save as root over a user's file); otherwise whoever saves owns it.
    const QByteArray name = nativeName(path);
    if (like.st_uid != ::geteuid() || like.st_gid != ::getegid()) {
        const bool ownerKept = ::chown(name.constData(), like.st_uid, like.st_gid) == 0;
        Q_UNUSED(ownerKept);
    }
    ::chmod(name.constData(), like.st_mode & 07777);
    return file;
}

std::unique_ptr<FileHandle> PosixFileSystem::standardOutput() {
    return std::make_unique<PosixFileHandle>(STDOUT_FILENO, false);
}

QString PosixFileSystem::replace(const QString &from, const QString &to) {
    if (::rename(nativeName(from).constData(), nativeName(to).constData()) != 0)
        return systemReason(errno);
    // The rename itself must survive a power cut too: sync the folder that holds it.
    const int fd =
        openRetrying(nativeName(QFileInfo(to).absolutePath()), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
}

void PosixFileSystem::remove(const QString &path) {
    ::unlink(nativeName(path).constData());
}

QString PosixFileSystem::reason(Problem problem) const {
    switch (problem) {
    case Problem::FileNotFound:
    case Problem::FolderNotFound:
        return systemReason(ENOENT);
    case Problem::NotAFolder:
        return systemReason(ENOTDIR);
    case Problem::IsAFolder:
        return systemReason(EISDIR);
    case Problem::TooManyLinks:
        return systemReason(ELOOP);
    case Problem::AccessDenied:
        return systemReason(EACCES);
    }
    return {};
}
