// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class FileSystem;
class FileHandle;

// A file written so that a failure never leaves a piece of it behind. In place (a
// recording): each piece goes to the disk at once and whole, or the file is cut back to
// the last whole piece. As a replacement (a save, an export): the bytes go through a
// buffer into a temporary file beside the target, which takes the target's place only
// once all of it is on the disk.
class FileOutput {
public:
    enum class Mode { InPlace, Replace };

    // Through the system's own files unless it is given others.
    explicit FileOutput(Mode mode);
    FileOutput(Mode mode, FileSystem &files);
    // A replacement that was not closed is abandoned (see discard()); in place, closed.
    ~FileOutput();
    FileOutput(const FileOutput &) = delete;
    FileOutput &operator=(const FileOutput &) = delete;

    // Closes any file still open first. In place creates the file or truncates it. A
    // replacement leaves the file as it is and writes a temporary file in the same folder;
    // when the path is a symbolic link, the file it leads to is replaced and the link
    // kept. Devices and pipes are written directly.
    bool create(const QString &path);
    // Writes to the process's standard output, as it stands (whatever it leads to); it is
    // left open at the end.
    bool openStandardOutput();

    // In place: written and synced at once, whole or not at all. As a replacement:
    // buffered, written out in large pieces. False once anything failed or nothing is open.
    bool write(QByteArrayView bytes);
    // False when anything failed since create. A replacement writes out its buffer, syncs
    // the temporary file and renames it over the target; when that fails, the temporary
    // file is removed and the target stays as it was.
    bool close();
    // Abandons a replacement: the temporary file is removed and the target stays as it
    // was. What was written in place stays there.
    void discard();

    bool isOpen() const { return m_file != nullptr; }
    bool hasFailed() const { return m_failed; }
    // The reason of the first failure, as the OS gives it ("No space left on device").
    QString errorString() const { return m_error; }
    QString fileName() const { return m_path; }

private:
    bool openReplacement();
    bool openTemporary(const QString &target);
    bool writeOut(QByteArrayView bytes);
    bool writeWhole(QByteArrayView bytes);
    bool syncToDisk();
    bool closeHandle();
    bool commit();
    void fail(const QString &reason);
    void startAfresh(const QString &path);

    Mode m_mode = Mode::InPlace;
    FileSystem &m_files;
    std::unique_ptr<FileHandle> m_file;
    QString m_path;          // as given: what messages name
    QString m_target;        // the file a replacement replaces, links followed
    QString m_temporary;     // a replacement's temporary file; empty when writing directly
    qint64 m_wholeBytes = 0; // in place: the length up to the end of the last whole piece
    QByteArray m_buffer;
    bool m_failed = false;
    QString m_error;
};
