// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/file_output.h"

#include "platform/file_handle.h"
#include "records/native_file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

namespace {

// A replacement writes in pieces of this size; large enough to keep system calls rare. The
// buffer grows to it as lines come rather than being made whole up front, for most saves are
// far smaller.
constexpr qsizetype BufferBytes = 1 << 20;
// As many symbolic links as the system follows before it gives up.
constexpr int MaxLinks = 40;

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
    : FileOutput(mode, nativeFileSystem()) {}

FileOutput::FileOutput(Mode mode, FileSystem &files)
    : m_mode(mode)
    , m_files(files) {}

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
}

bool FileOutput::create(const QString &path) {
    startAfresh(path);
    if (m_mode == Mode::Replace)
        return openReplacement();
    // The file is emptied only once it is ours: a second recording of it writes nothing.
    FileSystem::Failure failure;
    m_file = m_files.openForWriting(path, failure);
    if (!m_file) {
        fail(failure.reason);
        return false;
    }
    if (!takeLock(*m_file) || (m_file->size() > 0 && !m_file->cutBack(0))) {
        if (!m_failed)
            fail(m_file->errorString());
        m_file.reset();
        return false;
    }
    return true;
}

bool FileOutput::takeLock(FileHandle &file) {
    if (file.lockExclusively() != FileHandle::Lock::HeldElsewhere)
        return true; // taken, or a file system without locks: written as before
    fail(AnotherWriter);
    return false;
}

bool FileOutput::lockTarget() {
    // The target itself is locked, not the temporary file, for that is what a recording of
    // the same path locks; the hold ends just before the rename, which Windows refuses
    // over a file that is open.
    FileSystem::Failure failure;
    std::unique_ptr<FileHandle> target = m_files.openForWriting(m_target, failure);
    if (!target) {
        fail(failure.reason);
        return false;
    }
    if (!takeLock(*target))
        return false;
    m_targetLock = std::move(target);
    return true;
}

bool FileOutput::openStandardOutput() {
    startAfresh(QStringLiteral("standard output"));
    std::fflush(stdout); // what went through stdio comes first
    m_file = m_files.standardOutput();
    return true;
}

bool FileOutput::openReplacement() {
    if (!followLinks(m_target)) {
        fail(m_files.reason(FileSystem::Problem::TooManyLinks));
        return false;
    }
    const FileSystem::Entry existing = m_files.look(m_target);
    switch (existing.kind) {
    case FileSystem::Kind::Missing:
        return openTemporary(m_target); // a new file; or the folder's error, told by the open
    case FileSystem::Kind::Folder:
        fail(m_files.reason(FileSystem::Problem::IsAFolder));
        return false;
    case FileSystem::Kind::Other: {
        // A device or a pipe cannot be replaced, only written.
        FileSystem::Failure failure;
        m_file = m_files.create(m_target, failure);
        if (!m_file)
            fail(failure.reason);
        return m_file != nullptr;
    }
    case FileSystem::Kind::Regular:
        break;
    }
    // Renaming needs only the folder's permission: a read-only file stays read-only.
    if (!existing.writable) {
        fail(existing.whyNotWritable);
        return false;
    }
    if (!lockTarget())
        return false;
    if (openTemporary(m_target))
        return true;
    m_targetLock.reset();
    return false;
}

bool FileOutput::openTemporary(const QString &target) {
    FileSystem::Failure failure;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = temporaryName(target);
        failure = {};
        m_file = m_files.createNew(name, target, failure);
        if (m_file) {
            m_temporary = name;
            return true;
        }
        if (!failure.nameTaken)
            break;
    }
    fail(QStringLiteral("%1 (no temporary file can be created in \"%2\")")
             .arg(failure.reason, QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    return false;
}

bool FileOutput::write(QByteArrayView bytes) {
    if (!m_file) {
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
    m_buffer.resize(0); // keeps the room for the next piece
    return written;
}

bool FileOutput::writeOut(QByteArrayView bytes) {
    if (m_file->write(bytes) == bytes.size())
        return true;
    fail(m_file->errorString());
    return false;
}

bool FileOutput::writeWhole(QByteArrayView bytes) {
    // A recording runs for days: each record must survive a power cut, not only a crash
    // of the program.
    const qint64 written = m_file->write(bytes);
    if (written == bytes.size() && m_file->sync()) {
        m_wholeBytes += written;
        return true;
    }
    const QString reason = m_file->errorString();
    // The file ends with the last whole record, not with a piece of this one, nor with one
    // the disk did not confirm. A device or a pipe cannot be cut back.
    if (written > 0)
        m_file->cutBack(m_wholeBytes);
    fail(reason);
    return false;
}

bool FileOutput::syncToDisk() {
    if (m_file->sync())
        return true;
    fail(m_file->errorString());
    return false;
}

bool FileOutput::closeHandle() {
    const std::unique_ptr<FileHandle> file = std::move(m_file);
    const bool closed = file->close();
    if (!closed)
        fail(file->errorString());
    return closed;
}

bool FileOutput::commit() {
    m_targetLock.reset();
    const QString reason = m_files.replace(m_temporary, m_target);
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

bool FileOutput::close() {
    if (!m_file)
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
        m_files.remove(m_temporary);
        m_temporary.clear();
    }
    m_targetLock.reset();
    return !m_failed;
}

void FileOutput::discard() {
    if (!m_file)
        return;
    m_buffer.clear();
    m_file->close();
    m_file.reset();
    if (!m_temporary.isEmpty()) {
        m_files.remove(m_temporary);
        m_temporary.clear();
    }
    m_targetLock.reset();
}
