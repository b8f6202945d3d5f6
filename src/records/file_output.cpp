#include "records/file_output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#if defined(Q_OS_WIN)
#include <io.h>
#include <string>
#ifndef NOMINMAX
#define NOMINMAX // std::min and std::max, not the macros
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// A replacement writes in pieces of this size; large enough to keep system calls rare.
constexpr qsizetype BufferBytes = 1 << 20;
// As many symbolic links as the system follows before it gives up.
constexpr int MaxLinks = 40;

// The system's own words for an errno value. QFile's error string is no substitute: after
// a short write it is "Unknown error".
QString systemReason(int error) {
#if defined(Q_OS_WIN)
    char text[256] = {};
    ::strerror_s(text, sizeof text, error);
    return QString::fromLocal8Bit(text);
#else
    return QString::fromLocal8Bit(std::strerror(error));
#endif
}

// The system calls the writer needs; each failure leaves its reason in errno.
#if defined(Q_OS_WIN)
int standardOutput() {
    const int fd = ::_fileno(stdout);
    ::_setmode(fd, _O_BINARY); // the bytes as they are: no CR added before LF
    return fd;
}
std::wstring nativePath(const QString &path) {
    return QDir::toNativeSeparators(path).toStdWString();
}
int openFile(const QString &path, bool newOnly) {
    const int flags =
        _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (newOnly ? _O_EXCL : _O_TRUNC);
    return ::_wopen(nativePath(path).c_str(), flags, _S_IREAD | _S_IWRITE);
}
qint64 writeSome(int fd, const char *data, qint64 size) {
    return ::_write(fd, data, unsigned(std::min<qint64>(size, 1 << 30)));
}
bool syncData(int fd) {
    return ::_commit(fd) == 0 || errno == EBADF; // EBADF: a device, nothing to sync
}
bool cutBack(int fd, qint64 size) {
    return ::_chsize_s(fd, size) == 0 && ::_lseeki64(fd, size, SEEK_SET) == size;
}
bool closeFile(int fd) {
    return ::_close(fd) == 0;
}
void removeFile(const QString &path) {
    ::_wremove(nativePath(path).c_str());
}
// Empty on success, else the reason.
QString replaceFile(const QString &from, const QString &to) {
    if (::MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return qt_error_string(int(::GetLastError()));
}
#else
int standardOutput() {
    return STDOUT_FILENO;
}
int openFile(const QString &path, bool newOnly) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (newOnly ? O_EXCL : O_TRUNC);
    int fd = -1;
    do {
        fd = ::open(QFile::encodeName(path).constData(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
qint64 writeSome(int fd, const char *data, qint64 size) {
    return ::write(fd, data, size_t(size));
}
bool syncData(int fd) {
    // A pipe or a device cannot be synced and need not be.
    return ::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS;
}
bool cutBack(int fd, qint64 size) {
    return ::ftruncate(fd, off_t(size)) == 0 && ::lseek(fd, off_t(size), SEEK_SET) == size;
}
bool closeFile(int fd) {
    // After EINTR the descriptor is gone all the same (Linux); the data was synced before.
    return ::close(fd) == 0 || errno == EINTR;
}
void removeFile(const QString &path) {
    ::unlink(QFile::encodeName(path).constData());
}
QString replaceFile(const QString &from, const QString &to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return systemReason(errno);
    // The rename itself must survive a power cut too: sync the folder that holds it.
    const QByteArray folder = QFile::encodeName(QFileInfo(to).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
}
#endif

// Writes all of data, going on after short writes and interruptions. Returns how much was
// written; when that is less than size, errno tells why.
qint64 writeAll(int fd, const char *data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 written = writeSome(fd, data + done, size - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC; // nothing taken and no reason given: no room
            break;
        }
        done += written;
    }
    return done;
}

// The file a replacement replaces: a symbolic link is followed to the file it leads to (which
// need not exist yet), so the link stays and the file behind it gets the new contents.
bool followLinks(QString &path) {
    for (int links = 0; links < MaxLinks; ++links) {
        const QFileInfo info(path);
        if (!info.isSymbolicLink())
            return true;
        path = info.symLinkTarget();
    }
    return false;
}

// A name beside the target, hidden, unlikely to be taken: ".list.rdg.Xq3b9Z.tmp".
QString temporaryName(const QString &target) {
    static const char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QFileInfo info(target);
    // Within the 255 bytes a name may have, with room for what is added.
    QString base = info.fileName();
    if (QFile::encodeName(base).size() > 200)
        base = QStringLiteral("save");
    QString name = QLatin1Char('.') + base + QLatin1Char('.');
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
    return QDir(info.absolutePath()).filePath(name + QLatin1String(".tmp"));
}

} // namespace

FileOutput::FileOutput(Mode mode)
    : m_mode(mode) {}

FileOutput::~FileOutput() {
    if (m_mode == Mode::Replace)
        discard();
    else
        close();
}

void FileOutput::startAfresh(const QString &path) {
    close();
    m_failed = false;
    m_error.clear();
    m_buffer.clear();
    m_path = path;
    m_target = path;
    m_temporary.clear();
    m_wholeBytes = 0;
    m_ownsFd = true;
}

bool FileOutput::create(const QString &path) {
    startAfresh(path);
    if (m_mode == Mode::Replace) {
        if (!openReplacement())
            return false;
        m_buffer.reserve(BufferBytes + 256);
        return true;
    }
    m_fd = openFile(path, false);
    if (m_fd < 0) {
        failWithErrno(errno);
        return false;
    }
    return true;
}

bool FileOutput::openStandardOutput() {
    startAfresh(QStringLiteral("standard output"));
    std::fflush(stdout); // what went through stdio comes first
    m_fd = standardOutput();
    m_ownsFd = false;
    if (m_mode == Mode::Replace)
        m_buffer.reserve(BufferBytes + 256);
    return true;
}

bool FileOutput::openReplacement() {
    if (!followLinks(m_target)) {
        failWithErrno(ELOOP);
        return false;
    }
#if defined(Q_OS_WIN)
    const QFileInfo existing(m_target);
    if (existing.exists()) {
        if (existing.isDir()) {
            failWithErrno(EISDIR);
            return false;
        }
        if (!existing.isWritable()) {
            failWithErrno(EACCES);
            return false;
        }
    }
    return openTemporary(m_target);
#else
    const QByteArray native = QFile::encodeName(m_target);
    struct stat existing = {};
    if (::stat(native.constData(), &existing) != 0)
        return openTemporary(m_target); // a new file; or the folder's error, told by the open
    if (S_ISDIR(existing.st_mode)) {
        failWithErrno(EISDIR);
        return false;
    }
    if (!S_ISREG(existing.st_mode)) {
        // A device or a pipe cannot be replaced, only written.
        m_fd = openFile(m_target, false);
        if (m_fd < 0)
            failWithErrno(errno);
        return m_fd >= 0;
    }
    // Renaming needs only the folder's permission: a read-only file stays read-only.
    if (::access(native.constData(), W_OK) != 0) {
        failWithErrno(errno);
        return false;
    }
    if (!openTemporary(m_target))
        return false;
    // The new file keeps the old one's permissions, and its owner where the system lets us
    // (a save as root over a user's file); otherwise whoever saves owns it.
    if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
        const bool ownerKept = ::fchown(m_fd, existing.st_uid, existing.st_gid) == 0;
        Q_UNUSED(ownerKept);
    }
    ::fchmod(m_fd, existing.st_mode & 07777);
    return true;
#endif
}

bool FileOutput::openTemporary(const QString &target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = temporaryName(target);
        m_fd = openFile(name, true);
        if (m_fd >= 0) {
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    fail(QStringLiteral("%1 (no temporary file can be created in \"%2\")")
             .arg(systemReason(errno), QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    return false;
}

bool FileOutput::write(QByteArrayView bytes) {
    if (m_fd < 0) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The file is not open");
        return false;
    }
    if (m_failed)
        return false;
    if (m_mode == Mode::InPlace)
        return writeWhole(bytes);
    m_buffer.append(bytes);
    if (m_buffer.size() < BufferBytes)
        return true;
    const bool written = writeOut(m_buffer);
    m_buffer.clear();
    return written;
}

bool FileOutput::writeOut(QByteArrayView bytes) {
    if (writeAll(m_fd, bytes.data(), bytes.size()) == bytes.size())
        return true;
    failWithErrno(errno);
    return false;
}

bool FileOutput::writeWhole(QByteArrayView bytes) {
    // A recording runs for days: each record must survive a power cut, not only a crash
    // of the program.
    const qint64 written = writeAll(m_fd, bytes.data(), bytes.size());
    if (written == bytes.size() && syncData(m_fd)) {
        m_wholeBytes += written;
        return true;
    }
    const int error = errno;
    // The file ends with the last whole record, not with a piece of this one, nor with one
    // the disk did not confirm. A device or a pipe cannot be cut back.
    if (written > 0)
        cutBack(m_fd, m_wholeBytes);
    failWithErrno(error);
    return false;
}

bool FileOutput::syncToDisk() {
    if (syncData(m_fd))
        return true;
    failWithErrno(errno);
    return false;
}

bool FileOutput::closeHandle() {
    const int fd = m_fd;
    m_fd = -1;
    if (!m_ownsFd)
        return true;
    const bool closed = closeFile(fd);
    if (!closed)
        failWithErrno(errno);
    return closed;
}

bool FileOutput::commit() {
    const QString reason = replaceFile(m_temporary, m_target);
    if (reason.isEmpty()) {
        m_temporary.clear();
        return true;
    }
    fail(reason);
    return false;
}

void FileOutput::fail(const QString &reason) {
    // The first failure is the one worth telling; what follows it is its consequence.
    if (m_failed)
        return;
    m_failed = true;
    m_error = reason;
}

void FileOutput::failWithErrno(int error) {
    fail(systemReason(error));
}

bool FileOutput::close() {
    if (m_fd < 0)
        return !m_failed;
    if (m_mode == Mode::Replace && !m_failed)
        writeOut(m_buffer);
    m_buffer.clear();
    // A replacement is wholly on the disk before it takes the old file's place.
    if (!m_temporary.isEmpty() && !m_failed)
        syncToDisk();
    closeHandle();
    if (!m_temporary.isEmpty() && !m_failed)
        commit();
    if (!m_temporary.isEmpty()) {
        removeFile(m_temporary);
        m_temporary.clear();
    }
    return !m_failed;
}

void FileOutput::discard() {
    if (m_fd < 0)
        return;
    m_buffer.clear();
    if (m_ownsFd)
        closeFile(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty()) {
        removeFile(m_temporary);
        m_temporary.clear();
    }
}
