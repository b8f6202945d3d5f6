#include "records/list_file_io.h"

#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_list_model.h"
#include "windowing/long_work.h"

namespace ListFileIO {

Outcome readRecords(RecordFileReader &reader, RecordListModel &list, LongWork &work) {
    for (;;) {
        switch (reader.readNext(list.table().table())) {
        case RecordFileReader::Step::Heading:
            list.setColumn0Heading(reader.headingField());
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
            list.table().publishRows();
            return Outcome::Done;
        }
    }
}

Outcome writeRows(RecordFileWriter &file, RecordListModel &list, LongWork *work) {
    const RecordTable &table = list.table().table();
    for (int row = 0; row < list.rowCount(); ++row) {
        list.setProgress(row, WindowModel::Progress::RecordsCompleted);
        const bool written =
            row == 0 ? file.writeRow(list.row(0)) : file.writeTableRows(table, row - 1, row);
        if (!written)
            return Outcome::Failed;
        if (work && !work->step())
            return Outcome::Stopped;
    }
    return Outcome::Done;
}

} // namespace ListFileIO
