// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Records as CSV lines for spreadsheets and scripts: comma-separated as RFC 4180 has it,
// UTF-8, CR LF line ends. A line holds the record number, the time in ISO 8601 local
// time, the three readings as plain numbers with a point ("OL", "-OL" and "----" become
// empty cells, so the columns read as numbers), then the type and the unit of the list.
// A cell that is not what a record holds (a hand-edited file) is kept as it stands.
class CsvFormat {
public:
    // Type and unit come from the heading of column 0: "K Type °C" gives K and °C; a
    // heading of another form gives empty cells.
    explicit CsvFormat(const QString &column0Heading = {});

    // "record,time,T1,T2,T1-T2,type,unit" and its line end.
    static QByteArray headerLine();
    // Appends the CSV line of one record, given as its five TAB-terminated fields in
    // Windows-1252 (RecordTable::tabbedRow()).
    void appendRecord(QByteArray &csv, QByteArrayView tabbedFields) const;

    QString type() const { return m_type; }
    QString unit() const { return m_unit; }

private:
    QString m_type;
    QString m_unit;
    QByteArray m_typeAndUnitCells; // ",K,°C" in UTF-8, quoted where needed
};
