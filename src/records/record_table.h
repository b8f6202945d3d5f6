// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/record_row.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

// The five text columns of a record list, stored compactly: the Windows-1252 bytes of
// every cell in one buffer, each followed by a TAB as in a record file, with one offset
// per row; a cell is found by its TABs and decoded only when it is asked for. Any record
// file, one of empty records included, costs less than twice its size this way.
class RecordTable {
public:
    RecordTable();

    int rowCount() const { return m_rowCount; }
    // Row is 0-based among the data rows; out of range gives an empty text.
    QString cell(int column, int row) const;
    // The stored Windows-1252 bytes of a cell (empty out of range); valid until the
    // table changes. Saves and plots read these without decoding.
    QByteArrayView rawCell(int column, int row) const;
    // The five cells of a row; empty texts out of range.
    RecordRow row(int row) const;

    QString heading(int column) const;
    void setHeading(int column, const QString &text);

    // False only when the table cannot grow any further (4 GiB of cell text or
    // INT_MAX rows); nothing is appended then. A TAB within a cell is kept as a space:
    // TABs end the cells, here as in a record file.
    bool appendRow(const RecordRow &cells);
    // The same from cells already in Windows-1252.
    bool appendEncodedRow(const std::array<QByteArrayView, RecordColumnCount> &cells);
    // A record line's five TAB-terminated fields as they stand in the file (the line up to
    // and including its fifth TAB): one copy per record, the fastest way in for a file
    // being loaded. The fields must not lie in this table.
    bool appendTabbedRow(QByteArrayView fields);
    // A row's five cells, each followed by its TAB, as a record file line holds them.
    QByteArrayView tabbedRow(int row) const;

    // Removes the data rows; the headings stay.
    void clear();
    // Removes the data rows from this one on: what a load appended is taken back.
    void truncate(int rowCount);
    // Room for this many more rows and cell bytes, so a large load need not grow. Rows
    // are kept in blocks that are never moved, so only the current block is reserved.
    void reserve(int moreRows, qsizetype moreBytes);
    void reserveBytes(qsizetype moreBytes) { reserve(0, moreBytes); }
    // Gives back the room that reserve() or growth left unused.
    void squeeze();
    // The same, but only where more than a quarter of the room is unused: after a load,
    // whose estimate is close, moving 20 MB to give back 2 would cost more than it saves.
    void trimUnused();
    // What the table holds in memory, headings and unused room included.
    qsizetype memoryBytes() const;

private:
    // Row starts are kept in blocks of this many: a block, once full, is never moved, so
    // growing never holds two copies of the offsets.
    static constexpr int RowBlockBits = 16;
    static constexpr int RowBlockRows = 1 << RowBlockBits;

    qsizetype rowBegin(int row) const {
        return m_rowStarts[size_t(row) >> RowBlockBits][size_t(row) & (RowBlockRows - 1)];
    }
    qsizetype rowEnd(int row) const {
        return row + 1 < m_rowCount ? rowBegin(row + 1) : m_usedBytes;
    }
    bool canAppend(qsizetype bytes) const;
    // Adds a row of this many bytes after the used ones; gives where to write them.
    char *addRow(qsizetype bytes);
    // Sets the room for cell bytes, used ones included.
    void setByteRoom(qsizetype room);

    // The cells row by row, each followed by a TAB as in a record file line; a row runs
    // from its start to the next row's start. The first m_usedBytes bytes are used; the
    // rest is room, sized up front so that appending a row need not resize the array.
    QByteArray m_bytes;
    qsizetype m_usedBytes = 0;
    std::vector<std::vector<quint32>> m_rowStarts;
    int m_rowCount = 0;
    std::array<QString, RecordColumnCount> m_headings;
};
