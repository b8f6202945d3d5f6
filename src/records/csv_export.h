// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

// Record files written out as CSV (see CsvFormat): the header line, then one line per
// record. The output is a FileOutput, so a failed export leaves no half-written file behind.
namespace CsvExport {

// What converting a record file came to.
struct FileResult {
    bool written = false; // all that could be read is in the output, which is closed
    qint64 records = 0;
    int linesRefused = 0;            // lines that could not be split, left out
    QList<qint64> firstRefusedLines; // their 1-based numbers, the first few
    QString error;                   // why nothing was written
};

// Reads a record file and writes its records to csvPath ("-": standard output), keeping
// all that can be read of a damaged file: a line that cannot be split is left out and
// counted. A file that cannot be read or written leaves no CSV file behind. Memory stays
// bounded whatever the file's length: the records pass in blocks.
FileResult convertFile(const QString &recordPath, const QString &csvPath);

} // namespace CsvExport
