// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class FileOutput;
class ListWindowModel;
class LongWork;
class RecordFileReader;
class RecordFileWriter;

// Moving a whole list between a window and a file, with the progress in the window's
// caption.
namespace ListFileIO {

enum class Outcome {
    Done,    // all of it was read or written (a read may end early at a line it cannot split)
    Failed,  // the file could not be written: see the writer's errorString()
    Stopped, // the window closed or the program is ending: the work stopped there
};

// Reads the records of an opened file into the list: the heading field becomes the heading
// of column 0, "k Completed" counts the records, events run between them.
Outcome readRecords(RecordFileReader &reader, ListWindowModel &list, LongWork &work);

// Writes the heading row, then every record, counting "i Records Completed". With work,
// events run after each row; without, the rows are written in one go.
Outcome writeRows(RecordFileWriter &file, ListWindowModel &list, LongWork *work);

// Writes every record as a CSV line under the header line (see CsvFormat), the type and
// unit from the heading of column 0, counting "i Records Completed"; events run after each
// row. The output is left open: the caller closes it, or discards it when stopped.
Outcome writeCsv(FileOutput &output, ListWindowModel &list, LongWork *work);

} // namespace ListFileIO
