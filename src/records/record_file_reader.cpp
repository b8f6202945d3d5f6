// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_file_reader.h"

#include "platform/file_handle.h"
#include "records/native_file_system.h"
#include "records/record_table.h"
#include "records/windows1252.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype BlockBytes = 1 << 20;
constexpr qsizetype BufferBytes = BlockBytes + RecordFileReader::MaxLineBytes;
// A large load reserves its table in one step, but never more than this up front.
constexpr qsizetype MaxReserveBytes = qsizetype(256) << 20;

bool hasHighBytes(QByteArrayView line) {
    // Eight bytes at a time: nearly every line is plain ASCII.
    const char *p = line.data();
    qsizetype left = line.size();
    for (; left >= 8; p += 8, left -= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            return true;
    }
    for (; left > 0; ++p, --left) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return true;
    }
    return false;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool isValidUtf8(QByteArrayView text) {
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= more)
            return false;
        if (p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= more; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += more + 1;
    }
    return true;
}

// A line is Windows-1252 unless it holds bytes of 0x80 and above that form valid
// UTF-8: files edited elsewhere may carry the degree sign as UTF-8.
bool isUtf8Line(QByteArrayView line) {
    return hasHighBytes(line) && isValidUtf8(line);
}

} // namespace

RecordFileReader::RecordFileReader()
    : RecordFileReader(nativeFileSystem()) {}

RecordFileReader::RecordFileReader(FileSystem &files)
    : m_files(files) {}

RecordFileReader::~RecordFileReader() = default;

bool RecordFileReader::open(const QString &path) {
    close();
    m_path = path;
    FileSystem::Failure failure;
    m_file = m_files.openForReading(path, failure);
    if (!m_file) {
        m_error = failure.reason;
        m_finished = true;
        m_final = Step::ReadError;
        return false;
    }
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(BufferBytes);
    return true;
}

void RecordFileReader::close() {
    if (m_file)
        m_file->close();
    m_file.reset();
    m_begin = m_end = 0;
    m_atEof = false;
    m_skipping = false;
    m_lineIndex = 0;
    m_recordsRead = 0;
    m_linesRefused = 0;
    m_firstRefusedLines.clear();
    m_reserved = false;
    m_final = Step::End;
    m_finished = false;
    m_headingField.clear();
    m_error.clear();
}

bool RecordFileReader::fill() {
    // Keep the unread part of the current line at the front, then read one block.
    const qsizetype kept = m_end - m_begin;
    if (kept > 0 && m_begin > 0)
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, size_t(kept));
    m_begin = 0;
    m_end = kept;
    const qint64 got = m_file->read(m_buffer.get() + m_end, BufferBytes - m_end);
    if (got < 0) {
        m_error = m_file->errorString();
        return false;
    }
    if (got == 0)
        m_atEof = true;
    m_end += got;
    // Nearly every file is plain ASCII: one look at the block spares a look at each line.
    m_blockHasHighBytes = hasHighBytes(QByteArrayView(m_buffer.get(), m_end));
    return true;
}

bool RecordFileReader::skipRestOfLine() {
    while (m_skipping) {
        const char *from = m_buffer.get() + m_begin;
        const void *lf = std::memchr(from, '\n', size_t(m_end - m_begin));
        if (lf) {
            m_begin = static_cast<const char *>(lf) - m_buffer.get() + 1;
            m_skipping = false;
        } else if (m_atEof) {
            m_begin = m_end;
            m_skipping = false;
        } else {
            m_begin = m_end;
            if (!fill())
                return false;
        }
    }
    return true;
}

RecordFileReader::Fetch RecordFileReader::fetchLine(QByteArrayView &line) {
    if (!skipRestOfLine())
        return Fetch::Error;
    for (;;) {
        const char *from = m_buffer.get() + m_begin;
        const qsizetype available = m_end - m_begin;
        if (const void *lf = std::memchr(from, '\n', size_t(available))) {
            const qsizetype length = static_cast<const char *>(lf) - from;
            line = QByteArrayView(from, length);
            m_begin += length + 1;
            break;
        }
        if (m_atEof) {
            if (available == 0)
                return Fetch::End;
            line = QByteArrayView(from, available); // last line without a line end
            m_begin = m_end;
            break;
        }
        if (available >= MaxLineBytes) {
            // An over-long line: its start is all a record needs; drop the rest later.
            line = QByteArrayView(from, MaxLineBytes);
            m_begin += MaxLineBytes;
            m_skipping = true;
            return Fetch::Line;
        }
        if (!fill())
            return Fetch::Error;
    }
    if (line.endsWith('\r'))
        line.chop(1);
    // The same bound wherever the line fell in the block, so a file reads the same
    // whatever its layout on disk.
    if (line.size() > MaxLineBytes)
        line.truncate(MaxLineBytes);
    return Fetch::Line;
}

RecordFileReader::Step RecordFileReader::stop(Step step, RecordTable &table) {
    m_finished = true;
    m_final = step;
    table.trimUnused(); // give back what the load reserved but did not use
    return step;
}

RecordFileReader::Step RecordFileReader::readNext(RecordTable &table) {
    if (m_finished)
        return m_final;
    if (!m_file) {
        m_error = QStringLiteral("No record file is open");
        m_finished = true;
        m_final = Step::ReadError;
        return m_final;
    }

    for (;;) {
        QByteArrayView line;
        switch (fetchLine(line)) {
        case Fetch::End:
            return stop(Step::End, table);
        case Fetch::Error:
            return stop(Step::ReadError, table);
        case Fetch::Line:
            break;
        }

        if (m_lineIndex++ == 0) {
            const Step step = readHeading(line);
            if (step == Step::Heading)
                return step;
            if (step == Step::Unsplittable && m_skipUnsplittable) {
                refuseLine();
                continue;
            }
            return stop(step, table);
        }

        if (!m_reserved) {
            // Cells take fewer bytes than the file, so reserving its size (up to a limit)
            // spares all growth; the first record line gives a fair line length for the
            // number of rows.
            m_reserved = true;
            const qsizetype fileBytes = std::clamp<qsizetype>(m_file->size(), 0, MaxReserveBytes);
            table.reserve(int(fileBytes / (line.size() + 2)), fileBytes);
        }
        const Step step = readRecord(line, table);
        if (step == Step::Record)
            return step;
        if (step == Step::Unsplittable && m_skipUnsplittable) {
            refuseLine();
            continue;
        }
        return stop(step, table);
    }
}

void RecordFileReader::refuseLine() {
    ++m_linesRefused;
    if (m_firstRefusedLines.size() < RefusedLinesKept)
        m_firstRefusedLines.append(m_lineIndex); // already counted on: the 1-based number
}

RecordFileReader::Step RecordFileReader::readHeading(QByteArrayView line) {
    if (line.startsWith("\xEF\xBB\xBF")) // a byte order mark left by an editor
        line = line.sliced(3);
    const qsizetype tab = line.indexOf('\t');
    if (tab < 0)
        return Step::Unsplittable;
    const QByteArrayView field = line.first(tab);
    m_headingField = m_blockHasHighBytes && isUtf8Line(line) ? QString::fromUtf8(field)
                                                             : Windows1252::decode(field);
    return Step::Heading;
}

RecordFileReader::Step RecordFileReader::readRecord(QByteArrayView line, RecordTable &table) {
    if (m_blockHasHighBytes && isUtf8Line(line)) {
        m_transcoded = Windows1252::encode(QString::fromUtf8(line));
        line = m_transcoded;
    }
    const char *const begin = line.data();
    const char *const end = begin + line.size();
    const char *p = begin;
    for (int field = 0; field < RecordColumnCount; ++field) {
        const auto *tab =
            p < end ? static_cast<const char *>(std::memchr(p, '\t', size_t(end - p))) : nullptr;
        if (!tab)
            return Step::Unsplittable;
        p = tab + 1;
    }
    // Anything after the fifth TAB is not part of the record.
    if (!table.appendTabbedRow(line.first(p - begin))) {
        m_error = QStringLiteral("The file holds more records than a list can keep");
        return Step::ReadError;
    }
    ++m_recordsRead;
    return Step::Record;
}
