// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <memory>

class FileSystem;
class FileHandle;

class RecordTable;

// Reads a record file line by line into a RecordTable: the heading line first, then
// one row per record line. The file is read in large blocks and split in place, so a
// 345,600-record file loads in a few dozen milliseconds; memory beyond the table is
// one block, whatever the file holds.
class RecordFileReader {
public:
    enum class Step {
        Heading,      // line 0 was read: headingField() holds its first field
        Record,       // one record line was appended to the table as a row
        End,          // end of file (an empty file gives End at once)
        Unsplittable, // a line could not be split; nothing of it was appended
        ReadError,    // the file could not be read: see errorString()
    };

    // Through the system's own files unless it is given others.
    RecordFileReader();
    explicit RecordFileReader(FileSystem &files);
    ~RecordFileReader();
    RecordFileReader(const RecordFileReader &) = delete;
    RecordFileReader &operator=(const RecordFileReader &) = delete;

    // Opens a regular file only: anything else (a FIFO, a device, a directory) is refused
    // at once with "Not a regular file", so opening never blocks.
    bool open(const QString &path);
    // Reads the next line. The heading field is only kept here: the caller shows it as
    // the heading of column 0. After End, Unsplittable or ReadError every further call
    // gives the same step again.
    Step readNext(RecordTable &table);
    // Whether a line that cannot be split is passed over, counted, instead of ending the
    // reading there (the default). The CSV export keeps all that can be read this way.
    void setSkipUnsplittable(bool skip) { m_skipUnsplittable = skip; }
    // Lines passed over so far, and the 1-based numbers of the first few of them.
    int linesRefused() const { return m_linesRefused; }
    QList<qint64> firstRefusedLines() const { return m_firstRefusedLines; }
    static constexpr int RefusedLinesKept = 5;
    void close();

    // Record lines appended so far.
    int recordsRead() const { return m_recordsRead; }
    QString headingField() const { return m_headingField; }
    QString errorString() const { return m_error; }
    QString fileName() const { return m_path; }

    // Only the first this many bytes of a line count: a heading whose first TAB or a
    // record whose fifth TAB lies beyond them cannot be split. Text after the fifth TAB
    // is ignored anyway, so a record line with a long tail still loads.
    static constexpr qsizetype MaxLineBytes = 64 * 1024;

private:
    enum class Fetch { Line, End, Error };

    Fetch fetchLine(QByteArrayView &line);
    bool skipRestOfLine();
    bool fill();
    Step stop(Step step, RecordTable &table);
    Step readHeading(QByteArrayView line);
    Step readRecord(QByteArrayView line, RecordTable &table);
    void refuseLine();

    FileSystem &m_files;
    std::unique_ptr<FileHandle> m_file;
    QString m_path;
    std::unique_ptr<char[]> m_buffer; // one block plus the line it may cut
    qsizetype m_begin = 0;            // first unread byte in m_buffer
    qsizetype m_end = 0;              // end of the bytes read into m_buffer
    bool m_atEof = false;
    bool m_blockHasHighBytes = true; // some byte of m_buffer is 0x80 or above
    bool m_skipping = false;         // the rest of an over-long line is still to be dropped
    qint64 m_lineIndex = 0;
    int m_recordsRead = 0;
    bool m_skipUnsplittable = false;
    int m_linesRefused = 0;
    QList<qint64> m_firstRefusedLines;
    bool m_reserved = false;
    Step m_final = Step::End;
    bool m_finished = false;
    QByteArray m_transcoded;
    QString m_headingField;
    QString m_error;
};
