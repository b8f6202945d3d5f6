// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads arbitrary bytes as a record file, then shows, prints and exports as CSV every row,
// as opening, printing and exporting a hand-edited or damaged file would. The bytes are read
// from memory; one input in 64 (chosen by its first byte) is also saved to a real file and
// that file read back, so the writer's way to the disk is fuzzed too without making every
// input pay for it.

#include "memory_file_system.h"
#include "records/csv_format.h"
#include "records/printout_layout.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_table.h"

#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// Every line of the file at path (in files) as a table.
void readInto(RecordTable &table, RecordFileReader &reader, const QString &path) {
    if (!reader.open(path))
        std::abort();
    RecordFileReader::Step step;
    while ((step = reader.readNext(table)) == RecordFileReader::Step::Record ||
           step == RecordFileReader::Step::Heading) {
        if (step == RecordFileReader::Step::Heading)
            table.setHeading(0, reader.headingField());
    }
    reader.close();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static MemoryFileSystem memory;
    memory.setContents(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    // One reader for all inputs, as its read buffer is made once for all the files it opens.
    static RecordFileReader fromMemory(memory);
    RecordTable table;
    readInto(table, fromMemory, QStringLiteral("input.rdg"));

    for (int row = 0; row < table.rowCount(); ++row) {
        RecordRow cells;
        for (int column = 0; column < RecordColumnCount; ++column)
            cells[column] = table.cell(column, row);
        Printout::line(cells);
    }

    if (size > 0 && data[0] % 64 == 0) {
        static QTemporaryDir dir;
        static const QString output = dir.filePath(QStringLiteral("output.rdg"));
        RecordFileWriter writer(RecordFileWriter::Flush::AtEnd);
        if (!writer.create(output))
            std::abort();
        for (int row = 0; row < table.rowCount(); ++row) {
            RecordRow cells;
            for (int column = 0; column < RecordColumnCount; ++column)
                cells[column] = table.cell(column, row);
            writer.writeRow(cells);
        }
        writer.writeTableRows(table, 0, table.rowCount());
        if (!writer.close())
            std::abort();
        // And what was saved is read back, as opening it would.
        RecordTable saved;
        static RecordFileReader fromDisk;
        readInto(saved, fromDisk, output);
    }

    // Every row becomes one CSV line, whatever its cells hold.
    const CsvFormat format(table.heading(0));
    for (int row = 0; row < table.rowCount(); ++row) {
        QByteArray csv;
        format.appendRecord(csv, table.tabbedRow(row));
        if (!csv.endsWith("\r\n"))
            std::abort();
    }
    return 0;
}
