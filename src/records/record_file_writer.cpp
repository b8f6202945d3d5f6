// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_file_writer.h"

#include "records/record_table.h"
#include "records/windows1252.h"

#include <algorithm>

RecordFileWriter::RecordFileWriter(Flush flush)
    : m_output(flush == Flush::EveryLine ? FileOutput::Mode::InPlace : FileOutput::Mode::Replace) {}

RecordFileWriter::~RecordFileWriter() = default;

bool RecordFileWriter::create(const QString &path) {
    return m_output.create(path);
}

QByteArray *RecordFileWriter::beginLine() {
    if (!m_output.isOpen() || m_output.hasFailed()) {
        m_output.write({}); // leaves the reason when there is none yet
        return nullptr;
    }
    m_line.clear();
    return &m_line;
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
    return !m_output.hasFailed() && isOpen();
}

bool RecordFileWriter::close() {
    return m_output.close();
}

void RecordFileWriter::discard() {
    m_output.discard();
}
