// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/file_output.h"
#include "records/record_row.h"

#include <QByteArray>
#include <QString>

class RecordTable;

// Writes record files: five fields per line, each followed by a TAB, the line ended by
// CR LF, all in Windows-1252. Every line is built whole before it is written; a FileOutput
// puts it on the disk.
class RecordFileWriter {
public:
    enum class Flush {
        EveryLine, // recordings: each line goes to the disk at once, so a crash or a
                   // power cut loses at most the line being written
        AtEnd,     // saves of whole lists: written through a buffer into a temporary file
                   // that replaces the target only when all of it is on the disk
    };

    explicit RecordFileWriter(Flush flush = Flush::EveryLine);
    // A save that was not closed is abandoned (see discard()); a recording is closed.
    ~RecordFileWriter();
    RecordFileWriter(const RecordFileWriter &) = delete;
    RecordFileWriter &operator=(const RecordFileWriter &) = delete;

    // Closes any file still open first. A recording creates the file or truncates it and
    // writes into it. A save leaves the file as it is and writes a temporary file in the
    // same folder; when the path is a symbolic link, the file it leads to is replaced and
    // the link kept. Devices and pipes are written directly.
    bool create(const QString &path);
    bool writeHeading(const QString &type, const QString &unit);
    bool writeRecord(int number, const QString &dateTime, const QString &t1, const QString &t2,
                     const QString &diff);
    // Five cell texts as one line; a list's heading row gives the heading line.
    bool writeRow(const RecordRow &cells);
    // The data rows fromRow .. toRow - 1 of a table, copied as stored (no decoding).
    bool writeTableRows(const RecordTable &table, int fromRow, int toRow);
    // False when anything failed since create. A save writes out its buffer, syncs the
    // temporary file and renames it over the target; when that fails, the temporary file
    // is removed and the target stays as it was.
    bool close();
    // Abandons a save: the temporary file is removed and the target stays as it was. A
    // recording's lines are in its file already and stay there.
    void discard();

    bool isOpen() const { return m_output.isOpen(); }
    // The reason of the first failure, as the OS gives it ("No space left on device").
    QString errorString() const { return m_output.errorString(); }
    QString fileName() const { return m_output.fileName(); }

private:
    // Where the next line is built; null when nothing can be written.
    QByteArray *beginLine();
    bool endLine() { return m_output.write(m_line); }
    void appendField(QByteArray &line, const QString &text);

    FileOutput m_output;
    QByteArray m_line;
};
