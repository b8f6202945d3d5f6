// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/csv_export.h"

#include "records/csv_format.h"
#include "records/file_output.h"
#include "records/record_file_reader.h"
#include "records/record_table.h"

#include <QFileInfo>

namespace CsvExport {

namespace {

// Records converted at a time from a file: a few megabytes of table and of CSV text.
constexpr int BlockRecords = 1 << 16;

bool writeBlock(FileOutput &output, const CsvFormat &format, const RecordTable &table,
                QByteArray &csv) {
    csv.clear();
    for (int row = 0; row < table.rowCount(); ++row)
        format.appendRecord(csv, table.tabbedRow(row));
    return output.write(csv);
}

FileResult failed(const QString &error) {
    FileResult result;
    result.error = error;
    return result;
}

} // namespace

FileResult convertFile(const QString &recordPath, const QString &csvPath) {
    const QString recordFile = QFileInfo(recordPath).canonicalFilePath();
    if (!recordFile.isEmpty() && QFileInfo(csvPath).canonicalFilePath() == recordFile)
        return failed(QStringLiteral("the CSV file would replace the record file"));
    RecordFileReader reader;
    reader.setSkipUnsplittable(true);
    if (!reader.open(recordPath))
        return failed(reader.errorString());

    FileOutput output(FileOutput::Mode::Replace);
    const bool toStandardOutput = csvPath == QLatin1String("-");
    if (!(toStandardOutput ? output.openStandardOutput() : output.create(csvPath)))
        return failed(output.errorString());
    output.write(CsvFormat::headerLine());

    CsvFormat format; // a file whose heading cannot be read has no type and unit
    RecordTable table;
    QByteArray csv;
    FileResult result;
    for (;;) {
        const RecordFileReader::Step step = reader.readNext(table);
        if (step == RecordFileReader::Step::Heading) {
            format = CsvFormat(reader.headingField());
            continue;
        }
        if (step == RecordFileReader::Step::Record) {
            if (table.rowCount() < BlockRecords)
                continue;
            result.records += table.rowCount();
            if (!writeBlock(output, format, table, csv))
                break;
            table.clear();
            continue;
        }
        if (step == RecordFileReader::Step::ReadError) {
            output.discard();
            return failed(reader.errorString());
        }
        result.records += table.rowCount();
        writeBlock(output, format, table, csv);
        break;
    }
    if (!output.close()) {
        output.discard();
        return failed(output.errorString());
    }
    result.written = true;
    result.linesRefused = reader.linesRefused();
    result.firstRefusedLines = reader.firstRefusedLines();
    return result;
}

} // namespace CsvExport
