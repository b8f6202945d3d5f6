#include "records/record_file_writer.h"

#include "records/record_table.h"
#include "records/windows1252.h"

#include <algorithm>
#include <cerrno>
#if defined(Q_OS_UNIX)
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace {
// A save writes in pieces of this size; large enough to keep system calls rare.
constexpr qsizetype BufferBytes = 1 << 20;
} // namespace

RecordFileWriter::RecordFileWriter(Flush flush)
    : m_flush(flush) {}

RecordFileWriter::~RecordFileWriter() {
    close();
}

bool RecordFileWriter::create(const QString &path) {
    close();
    m_failed = false;
    m_error.clear();
    m_buffer.clear();
    m_file.setFileName(path);
    // Unbuffered: QFile adds no buffer of its own, so a written line is with the OS.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        m_failed = true;
        m_error = m_file.errorString();
        return false;
    }
    if (m_flush == Flush::AtEnd)
        m_buffer.reserve(BufferBytes + 256);
    return true;
}

QByteArray *RecordFileWriter::beginLine() {
    if (!m_file.isOpen()) {
        if (m_error.isEmpty())
            m_error = QStringLiteral("The record file is not open");
        return nullptr;
    }
    if (m_failed)
        return nullptr;
    if (m_flush == Flush::AtEnd)
        return &m_buffer;
    m_line.clear();
    return &m_line;
}

bool RecordFileWriter::endLine() {
    if (m_flush == Flush::EveryLine)
        return writeOut(m_line) && syncToDisk();
    if (m_buffer.size() >= BufferBytes) {
        const bool written = writeOut(m_buffer);
        m_buffer.clear();
        return written;
    }
    return true;
}

bool RecordFileWriter::writeOut(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return true;
    if (m_file.write(bytes) != bytes.size()) {
        m_failed = true;
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

bool RecordFileWriter::syncToDisk() {
    // A recording runs for days: each record must survive a power cut, not only a crash
    // of the program. Special files (a pipe, /dev/null) cannot be synced and need not be.
#if defined(Q_OS_UNIX)
    if (::fdatasync(m_file.handle()) == 0 || errno == EINVAL || errno == EROFS)
        return true;
#elif defined(Q_OS_WIN)
    if (::_commit(m_file.handle()) == 0 || errno == EBADF)
        return true;
#else
    return true;
#endif
    m_failed = true;
    m_error = qt_error_string(errno);
    return false;
}

void RecordFileWriter::appendField(QByteArray &line, const QString &text) {
    line.append(Windows1252::encode(text));
    line.append('\t');
}

bool RecordFileWriter::writeHeading(const QString &type, const QString &unit) {
    return writeRow(headingRow(type, unit));
}

bool RecordFileWriter::writeRecord(int number, const QString &dateTime, const QString &t1,
                                   const QString &t2, const QString &diff) {
    QByteArray *line = beginLine();
    if (!line)
        return false;
    line->append(QByteArray::number(number));
    line->append('\t');
    appendField(*line, dateTime);
    appendField(*line, t1);
    appendField(*line, t2);
    appendField(*line, diff);
    line->append("\r\n", 2);
    return endLine();
}

bool RecordFileWriter::writeRow(const RecordRow &cells) {
    QByteArray *line = beginLine();
    if (!line)
        return false;
    for (const QString &cell : cells)
        appendField(*line, cell);
    line->append("\r\n", 2);
    return endLine();
}

bool RecordFileWriter::writeTableRows(const RecordTable &table, int fromRow, int toRow) {
    fromRow = std::max(fromRow, 0);
    toRow = std::min(toRow, table.rowCount());
    for (int row = fromRow; row < toRow; ++row) {
        QByteArray *line = beginLine();
        if (!line)
            return false;
        line->append(table.tabbedRow(row));
        line->append("\r\n", 2);
        if (!endLine())
            return false;
    }
    return !m_failed && m_file.isOpen();
}

bool RecordFileWriter::close() {
    if (!m_file.isOpen())
        return !m_failed;
    if (!m_failed)
        writeOut(m_buffer);
    m_buffer.clear();
    m_file.close();
    if (!m_failed && m_file.error() != QFileDevice::NoError) {
        m_failed = true;
        m_error = m_file.errorString();
    }
    return !m_failed;
}
