// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lists/list_file_io.h"

#include "lists/list_window_model.h"
#include "records/csv_format.h"
#include "records/file_output.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "windowing/long_work.h"

namespace ListFileIO {

Outcome readRecords(RecordFileReader &reader, ListWindowModel &list, LongWork &work) {
    for (;;) {
        switch (list.readNext(reader)) {
        case RecordFileReader::Step::Heading:
            continue;
        case RecordFileReader::Step::Record:
            list.setProgress(reader.recordsRead(), WindowModel::Progress::Completed);
            if (!work.step())
                return Outcome::Stopped;
            continue;
        case RecordFileReader::Step::End:
        case RecordFileReader::Step::Unsplittable:
        case RecordFileReader::Step::ReadError:
            // A line that cannot be split ends the load there; the rows before it stay.
            return Outcome::Done;
        }
    }
}

Outcome writeRows(RecordFileWriter &file, ListWindowModel &list, LongWork *work) {
    const RecordTable &records = list.records();
    // The heading row counts as row 0, the records from 1 on.
    list.setProgress(0, WindowModel::Progress::RecordsCompleted);
    if (!file.writeRow(list.headingRow()))
        return Outcome::Failed;
    if (work && !work->step())
        return Outcome::Stopped;
    for (int row = 0; row < records.rowCount(); ++row) {
        list.setProgress(row + 1, WindowModel::Progress::RecordsCompleted);
        if (!file.writeTableRows(records, row, row + 1))
            return Outcome::Failed;
        if (work && !work->step())
            return Outcome::Stopped;
    }
    return Outcome::Done;
}

Outcome writeCsv(FileOutput &output, ListWindowModel &list, LongWork *work) {
    const RecordTable &records = list.records();
    const CsvFormat format(records.heading(0));
    if (!output.write(CsvFormat::headerLine()))
        return Outcome::Failed;
    QByteArray line;
    for (int row = 0; row < records.rowCount(); ++row) {
        list.setProgress(row + 1, WindowModel::Progress::RecordsCompleted);
        line.clear();
        format.appendRecord(line, records.tabbedRow(row));
        if (!output.write(line))
            return Outcome::Failed;
        if (work && !work->step())
            return Outcome::Stopped;
    }
    return Outcome::Done;
}

} // namespace ListFileIO
