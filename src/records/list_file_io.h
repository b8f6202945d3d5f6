#pragma once

class LongWork;
class RecordFileReader;
class RecordFileWriter;
class RecordListModel;

// Moving a whole list between a window and a record file, with the progress in the
// window's caption.
namespace ListFileIO {

enum class Outcome {
    Done,    // all of it was read or written (a read may end early at a line it cannot split)
    Failed,  // the file could not be written: see the writer's errorString()
    Stopped, // the window closed or the program is ending: the work stopped there
};

// Reads the records of an opened file into the list: the heading field becomes the heading
// of column 0, "k Completed" counts the records, events run between them.
Outcome readRecords(RecordFileReader &reader, RecordListModel &list, LongWork &work);

// Writes every row of the list, the heading row first, counting "i Records Completed".
// With work, events run after each row; without, the rows are written in one go.
Outcome writeRows(RecordFileWriter &file, RecordListModel &list, LongWork *work);

} // namespace ListFileIO
