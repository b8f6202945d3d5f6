// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads arbitrary bytes as a record file, then shows, prints and saves every row, as
// opening, printing and saving a hand-edited or damaged file would.

#include "records/printout_layout.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_table.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static QTemporaryDir dir;
    static const QString input = dir.filePath(QStringLiteral("input.rdg"));
    static const QString output = dir.filePath(QStringLiteral("output.rdg"));
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    RecordTable table;
    RecordFileReader reader;
    if (!reader.open(input))
        std::abort();
    RecordFileReader::Step step;
    while ((step = reader.readNext(table)) == RecordFileReader::Step::Record ||
           step == RecordFileReader::Step::Heading) {
        if (step == RecordFileReader::Step::Heading)
            table.setHeading(0, reader.headingField());
    }
    reader.close();

    RecordFileWriter writer(RecordFileWriter::Flush::AtEnd);
    if (!writer.create(output))
        std::abort();
    for (int row = 0; row < table.rowCount(); ++row) {
        RecordRow cells;
        for (int column = 0; column < RecordColumnCount; ++column)
            cells[column] = table.cell(column, row);
        Printout::line(cells);
        writer.writeRow(cells);
    }
    writer.writeTableRows(table, 0, table.rowCount());
    writer.close();
    return 0;
}
