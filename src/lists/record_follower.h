// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/record_file_reader.h"
#include "records/recording_parts.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class RecordTable;

// Keeps a table up with a recording as it is written, by this program or another one:
// every poll reads the complete lines appended to the recording's current part since the
// last one (a line still being written is left for the next poll), and moves on to the
// next continuation file once it holds the record that follows. Only the new bytes are read,
// so a poll costs what was appended, not what the recording holds. The file is read through
// the same reader as a load, which shares it with its writer on every system.
class RecordFollower : public QObject {
    Q_OBJECT

public:
    static constexpr int PollMilliseconds = 1000;

    // Follows a recording whose parts known so far are given (the file it began in first),
    // reading them from the part at fromPart on; the table already holds the first
    // recordsHeld records of that part and those after it, which are read past, not appended
    // again. With continuations followed, the continuation files of the first file that
    // appear are taken too; otherwise only the parts given.
    enum class Continuations { Follow, Ignore };
    RecordFollower(RecordTable &table, const RecordingParts &parts, qsizetype fromPart,
                   int recordsHeld, Continuations continuations, QObject *parent = nullptr);

    // Reads what was appended since the last poll; announces grew when records came.
    void poll();
    // Polls every PollMilliseconds from now on, until stop().
    void start();
    void stop() { m_timer.stop(); }
    bool isActive() const { return m_timer.isActive(); }

    // The first field of the heading line of the first part read ("K Type °C").
    QString heading() const { return m_heading; }
    // Why following ended: a part unreadable, or of another heading. Empty while it goes on.
    QString problem() const { return m_problem; }
    // The parts read so far.
    QStringList paths() const { return m_parts.paths; }

signals:
    // Records were appended to the table from this row on.
    void grew(int firstNewRow);

private:
    // Reads the current part to where its writer is; false when following must end.
    bool readCurrent();
    // The next continuation file, once it holds the record after the table's last one.
    bool nextPartReady(QString &path, int &number) const;
    void fail(const QString &problem);

    RecordTable &m_table;
    RecordingParts m_parts;
    qsizetype m_fromPart = 0;
    int m_skip = 0; // records of the parts the table holds already
    Continuations m_continuations;
    qsizetype m_current = 0;
    bool m_opened = false;
    RecordFileReader m_reader;
    QString m_heading;
    QString m_problem;
    QTimer m_timer;
};
