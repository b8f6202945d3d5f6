#pragma once

#include "records/record_row.h"

#include <QByteArray>
#include <QFile>
#include <QString>

class RecordTable;

// Writes record files: five fields per line, each followed by a TAB, the line ended by
// CR LF, all in Windows-1252. Every line is built whole before it is written.
class RecordFileWriter {
public:
    enum class Flush {
        EveryLine, // recordings: each line goes to the disk at once, so a crash or a
                   // power cut loses at most the line being written
        AtEnd,     // saves of whole lists: written through a buffer, failure seen at close
    };

    explicit RecordFileWriter(Flush flush = Flush::EveryLine);
    ~RecordFileWriter();
    RecordFileWriter(const RecordFileWriter &) = delete;
    RecordFileWriter &operator=(const RecordFileWriter &) = delete;

    // Creates the file or truncates an existing one; closes any file still open first.
    bool create(const QString &path);
    bool writeHeading(const QString &type, const QString &unit);
    bool writeRecord(int number, const QString &dateTime, const QString &t1, const QString &t2,
                     const QString &diff);
    // Five cell texts as one line; a list's heading row gives the heading line.
    bool writeRow(const RecordRow &cells);
    // The data rows fromRow .. toRow - 1 of a table, copied as stored (no decoding).
    bool writeTableRows(const RecordTable &table, int fromRow, int toRow);
    // False when anything failed since create (the buffer is written out first).
    bool close();

    bool isOpen() const { return m_file.isOpen(); }
    // The reason of the first failure, as the OS gives it ("No space left on device").
    QString errorString() const { return m_error; }
    QString fileName() const { return m_file.fileName(); }

private:
    // Where the next line is built: the buffer itself when saving, a line of its own
    // when every line is written at once.
    QByteArray *beginLine();
    bool endLine();
    bool writeOut(const QByteArray &bytes);
    bool syncToDisk();
    void appendField(QByteArray &line, const QString &text);

    Flush m_flush = Flush::EveryLine;
    QFile m_file;
    QByteArray m_buffer;
    QByteArray m_line;
    bool m_failed = false;
    QString m_error;
};
