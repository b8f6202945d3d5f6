// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_table.h"

#include "records/windows1252.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
constexpr qsizetype MaxBytes = std::numeric_limits<quint32>::max();
constexpr qsizetype MaxRows = std::numeric_limits<int>::max() - 1;
constexpr qsizetype MinGrowthBytes = 4096;
constexpr size_t MinBlockRows = 64;
} // namespace

RecordTable::RecordTable()
    : m_headings{QString(), DateTimeHeading, T1Heading, T2Heading, DiffHeading} {}

QByteArrayView RecordTable::rawCell(int column, int row) const {
    if (column < 0 || column >= RecordColumnCount || row < 0 || row >= m_rowCount)
        return {};
    // Rows are short: finding the cell's TABs again costs less than keeping their offsets.
    // The search stays within the row, whatever bytes it holds.
    const char *p = m_bytes.constData() + rowBegin(row);
    const char *const end = m_bytes.constData() + rowEnd(row);
    for (int c = 0;; ++c) {
        const auto *tab = static_cast<const char *>(std::memchr(p, '\t', size_t(end - p)));
        if (c == column)
            return QByteArrayView(p, (tab ? tab : end) - p);
        if (!tab)
            return {};
        p = tab + 1;
    }
}

QByteArrayView RecordTable::tabbedRow(int row) const {
    if (row < 0 || row >= m_rowCount)
        return {};
    const qsizetype begin = rowBegin(row);
    return QByteArrayView(m_bytes.constData() + begin, rowEnd(row) - begin);
}

QString RecordTable::cell(int column, int row) const {
    return Windows1252::decode(rawCell(column, row));
}

RecordRow RecordTable::row(int row) const {
    RecordRow cells;
    for (int column = 0; column < RecordColumnCount; ++column)
        cells[column] = cell(column, row);
    return cells;
}

QString RecordTable::heading(int column) const {
    if (column < 0 || column >= RecordColumnCount)
        return {};
    return m_headings[column];
}

void RecordTable::setHeading(int column, const QString &text) {
    if (column >= 0 && column < RecordColumnCount)
        m_headings[column] = text;
}

bool RecordTable::canAppend(qsizetype bytes) const {
    return m_rowCount < MaxRows && m_usedBytes + bytes <= MaxBytes;
}

char *RecordTable::addRow(qsizetype bytes) {
    const qsizetype begin = m_usedBytes;
    const qsizetype end = begin + bytes;
    if (end > m_bytes.size()) {
        // An eighth more rather than double: a large table must not hold room unused of
        // up to its own size.
        setByteRoom(std::min(MaxBytes, end + std::max(end / 8, MinGrowthBytes)));
    }
    m_usedBytes = end;

    const size_t blockIndex = size_t(m_rowCount) >> RowBlockBits;
    if (blockIndex == m_rowStarts.size())
        m_rowStarts.emplace_back().reserve(blockIndex == 0 ? MinBlockRows : RowBlockRows);
    std::vector<quint32> &block = m_rowStarts[blockIndex];
    if (block.size() == block.capacity())
        block.reserve(std::min<size_t>(RowBlockRows, std::max(MinBlockRows, 2 * block.capacity())));
    block.push_back(quint32(begin));
    ++m_rowCount;
    return m_bytes.data() + begin;
}

void RecordTable::setByteRoom(qsizetype room) {
    m_bytes.reserve(room); // exactly this much
    m_bytes.resize(room);  // leaves the new bytes as they are: memory is not touched yet
}

bool RecordTable::appendRow(const RecordRow &cells) {
    std::array<QByteArray, RecordColumnCount> encoded;
    for (int c = 0; c < RecordColumnCount; ++c)
        encoded[c] = Windows1252::encode(cells[c]);
    return appendEncodedRow({encoded[0], encoded[1], encoded[2], encoded[3], encoded[4]});
}

bool RecordTable::appendEncodedRow(const std::array<QByteArrayView, RecordColumnCount> &cells) {
    qsizetype bytes = 0;
    bool aliased = false; // a cell of this very table: growing may move it
    const auto base = quintptr(m_bytes.constData());
    for (const QByteArrayView cell : cells) {
        bytes += cell.size();
        const auto at = quintptr(cell.data());
        aliased = aliased || (at >= base && at < base + quintptr(m_usedBytes));
    }
    if (aliased) {
        const QByteArray own[] = {cells[0].toByteArray(), cells[1].toByteArray(),
                                  cells[2].toByteArray(), cells[3].toByteArray(),
                                  cells[4].toByteArray()};
        return appendEncodedRow({own[0], own[1], own[2], own[3], own[4]});
    }
    if (!canAppend(bytes + RecordColumnCount))
        return false;

    char *out = addRow(bytes + RecordColumnCount);
    for (const QByteArrayView cell : cells) {
        if (!cell.isEmpty())
            std::memcpy(out, cell.data(), size_t(cell.size()));
        std::replace(out, out + cell.size(), '\t', ' ');
        out += cell.size();
        *out++ = '\t';
    }
    return true;
}

bool RecordTable::appendTabbedRow(QByteArrayView fields) {
    if (!canAppend(fields.size()))
        return false;
    // One copy and one offset: this runs once per record of a loaded file.
    Q_ASSERT(fields.endsWith('\t'));
    Q_ASSERT(fields.data() + fields.size() <= m_bytes.constData() ||
             fields.data() >= m_bytes.constData() + m_bytes.size());
    std::memcpy(addRow(fields.size()), fields.data(), size_t(fields.size()));
    return true;
}

void RecordTable::clear() {
    m_bytes.clear();
    m_usedBytes = 0;
    m_rowStarts.clear();
    m_rowCount = 0;
}

void RecordTable::truncate(int rowCount) {
    if (rowCount >= m_rowCount)
        return;
    if (rowCount <= 0) {
        clear();
        return;
    }
    m_usedBytes = rowBegin(rowCount);
    m_rowCount = rowCount;
    // The blocks of the rows kept; a full last block stays, the next row opens a new one.
    const size_t blocks = (size_t(rowCount) + RowBlockRows - 1) >> RowBlockBits;
    m_rowStarts.resize(blocks);
    m_rowStarts.back().resize(size_t(rowCount) - ((blocks - 1) << RowBlockBits));
}

void RecordTable::reserve(int moreRows, qsizetype moreBytes) {
    if (moreRows > 0) {
        const size_t blockIndex = size_t(m_rowCount) >> RowBlockBits;
        if (blockIndex == m_rowStarts.size())
            m_rowStarts.emplace_back();
        std::vector<quint32> &block = m_rowStarts[blockIndex];
        block.reserve(std::min<size_t>(RowBlockRows, block.size() + size_t(moreRows)));
    }
    const qsizetype room = std::min(MaxBytes, m_usedBytes + std::max<qsizetype>(moreBytes, 0));
    if (room > m_bytes.size())
        setByteRoom(room);
}

void RecordTable::squeeze() {
    m_bytes.resize(m_usedBytes);
    m_bytes.squeeze();
    if (!m_rowStarts.empty())
        m_rowStarts.back().shrink_to_fit();
    m_rowStarts.shrink_to_fit();
}

void RecordTable::trimUnused() {
    if (m_bytes.capacity() - m_usedBytes > m_bytes.capacity() / 4) {
        m_bytes.resize(m_usedBytes);
        m_bytes.squeeze();
    }
    // Only the last block can have room unused.
    if (!m_rowStarts.empty()) {
        std::vector<quint32> &block = m_rowStarts.back();
        if (block.capacity() - block.size() > block.capacity() / 4)
            block.shrink_to_fit();
    }
}

qsizetype RecordTable::memoryBytes() const {
    qsizetype total = qsizetype(sizeof(*this)) + m_bytes.capacity() +
                      qsizetype(m_rowStarts.capacity() * sizeof(std::vector<quint32>));
    for (const std::vector<quint32> &block : m_rowStarts)
        total += qsizetype(block.capacity() * sizeof(quint32));
    for (const QString &heading : m_headings)
        total += heading.capacity() * qsizetype(sizeof(QChar));
    return total;
}
