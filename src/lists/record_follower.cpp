// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lists/record_follower.h"

#include "records/record_table.h"

#include <QDir>

namespace {

// About an hour and a half of records at one a second.
constexpr qsizetype GrowthRoomBytes = 256 * 1024;

} // namespace

RecordFollower::RecordFollower(RecordTable &table, const RecordingParts &parts, qsizetype fromPart,
                               int recordsHeld, Continuations continuations, QObject *parent)
    : QObject(parent)
    , m_table(table)
    , m_parts(parts)
    , m_fromPart(fromPart)
    , m_skip(recordsHeld)
    , m_continuations(continuations)
    , m_current(fromPart) {
    Q_ASSERT(fromPart >= 0 && fromPart < parts.paths.size() &&
             parts.paths.size() == parts.numbers.size());
    m_timer.setInterval(PollMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &RecordFollower::poll);
}

void RecordFollower::start() {
    if (m_problem.isEmpty())
        m_timer.start();
}

void RecordFollower::fail(const QString &problem) {
    m_problem = problem;
    m_timer.stop();
    m_reader.close();
}

void RecordFollower::poll() {
    if (!m_problem.isEmpty())
        return;
    const int before = m_table.rowCount();
    // Room for the records of a while ahead, taken in small steps: the table's own growth
    // by an eighth would leave an eighth of a long recording's memory unused.
    if (m_table.spareBytes() < GrowthRoomBytes / 4)
        m_table.reserveBytes(GrowthRoomBytes);
    for (;;) {
        if (!readCurrent())
            break;
        QString path;
        int number = 0;
        // Parts known already are read to their end one after the other; a new one is
        // taken once it holds the record after the last one.
        const bool known = m_current + 1 < m_parts.paths.size();
        if (!known && !nextPartReady(path, number))
            break;
        // The writer has moved on: whatever the part still holds is complete, a last line
        // without its line end included.
        m_reader.setFollowing(false);
        if (!readCurrent())
            break;
        if (!known) {
            m_parts.paths << path;
            m_parts.numbers << number;
        }
        ++m_current;
        m_opened = false;
    }
    if (m_table.rowCount() > before)
        emit grew(before);
}

bool RecordFollower::readCurrent() {
    const QString path = m_parts.paths[m_current];
    if (!m_opened) {
        m_reader.setFollowing(true);
        m_reader.setSkipUnsplittable(false);
        if (!m_reader.open(path)) {
            fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                              m_reader.errorString()));
            return false;
        }
        m_opened = true;
    } else if (m_reader.fileShrank()) {
        // Another recording begun in the same file: its records are not this one's.
        fail(
            QStringLiteral("%1 was cut short or written anew").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    for (;;) {
        switch (m_reader.readNext(m_table)) {
        case RecordFileReader::Step::Heading:
            if (m_current == m_fromPart) {
                m_heading = m_reader.headingField();
            } else if (m_reader.headingField() != m_heading) {
                fail(
                    QStringLiteral("%1 is of another heading").arg(QDir::toNativeSeparators(path)));
                return false;
            }
            continue;
        case RecordFileReader::Step::Record:
            if (m_skip > 0) {
                --m_skip;
                m_table.truncate(m_table.rowCount() - 1);
            }
            continue;
        case RecordFileReader::Step::End:
            return true;
        case RecordFileReader::Step::Unsplittable:
            fail(QStringLiteral("%1: a line cannot be split").arg(QDir::toNativeSeparators(path)));
            return false;
        case RecordFileReader::Step::ReadError:
            fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                              m_reader.errorString()));
            return false;
        }
    }
}

bool RecordFollower::nextPartReady(QString &path, int &number) const {
    if (m_continuations == Continuations::Ignore || m_table.rowCount() == 0)
        return false;
    // The lowest part number past the current one: a later recording of the same run of
    // the program skips numbers.
    const RecordingParts parts = RecordingParts::inFolder(m_parts.paths.first());
    const int current = m_parts.numbers[m_current];
    qsizetype next = -1;
    for (qsizetype i = 0; i < parts.numbers.size(); ++i) {
        if (parts.numbers[i] > current && (next < 0 || parts.numbers[i] < parts.numbers[next]))
            next = i;
    }
    if (next < 0)
        return false;
    // Its first record must follow the last one read: a part left from an older recording
    // of the same name does not.
    RecordFileReader peek;
    peek.setFollowing(true); // a first line still being written is no record yet
    RecordTable first;
    if (!peek.open(parts.paths[next]))
        return false;
    RecordFileReader::Step step = peek.readNext(first);
    if (step == RecordFileReader::Step::Heading)
        step = peek.readNext(first);
    if (step != RecordFileReader::Step::Record)
        return false;
    const qint64 last = m_table.cell(0, m_table.rowCount() - 1).trimmed().toLongLong();
    if (first.cell(0, 0).trimmed().toLongLong() != last + 1)
        return false;
    path = parts.paths[next];
    number = parts.numbers[next];
    return true;
}
