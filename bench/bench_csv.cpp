// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// CSV export benchmark: a full 345,600-record recording file converted to CSV as
// `--export-csv` does it (read, convert, write through the temporary file, sync, rename),
// the same list exported from a loaded list window, and the program itself run from outside
// (start-up included, for information). Prints one table.

#include "lists/list_file_io.h"
#include "lists/list_window_model.h"
#include "records/csv_export.h"
#include "records/file_output.h"
#include "records/record_file_reader.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "bench_support.h"

namespace {

using namespace bench;

// What opening the file into the file list does, without the window.
bool load(const QString &path, ListWindowModel &list) {
    RecordFileReader reader;
    if (!reader.open(path))
        return false;
    for (;;) {
        switch (list.readNext(reader)) {
        case RecordFileReader::Step::Heading:
        case RecordFileReader::Step::Record:
            continue;
        case RecordFileReader::Step::End:
            return true;
        default:
            return false;
        }
    }
}

// The CSV file's lines, and whether its first record is what the recording file holds.
bool looksRight(const QString &path, qint64 &lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray csv = file.readAll();
    lines = csv.count('\n');
    return csv.startsWith("record,time,T1,T2,T1-T2,type,unit\r\n"
                          "1,2001-05-03T14:25:01,25.3,24.1,1.2,K,\xC2\xB0"
                          "C\r\n");
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("recording.rdg");
    const QString csvPath = dir.filePath("recording.csv");
    if (!dir.isValid() || !writeRecordingFile(path)) {
        std::fprintf(stderr, "cannot write the test file in %s\n", qPrintable(dir.path()));
        return 1;
    }
    const qint64 fileBytes = QFile(path).size();

    bool converted = true;
    const double fileTime = bestOf([&] {
        const CsvExport::FileResult result = CsvExport::convertFile(path, csvPath);
        converted =
            converted && result.written && result.records == Records && result.linesRefused == 0;
    });
    qint64 fileLines = 0;
    const bool fileRight = looksRight(csvPath, fileLines);

    ListWindowModel list(ListWindowModel::Kind::FileList, "K", QString::fromUtf8("°C"));
    const bool loaded = load(path, list);
    bool exported = loaded;
    const double listTime = bestOf([&] {
        FileOutput output(FileOutput::Mode::Replace);
        exported = exported && output.create(csvPath) &&
                   ListFileIO::writeCsv(output, list, nullptr) == ListFileIO::Outcome::Done &&
                   output.close();
    });
    qint64 listLines = 0;
    const bool listRight = looksRight(csvPath, listLines);

    const double processTime = bestOf([&] {
        QProcess program;
        program.start(QStringLiteral(THERMODESK_PATH), {"--export-csv", path, csvPath, "--force"});
        converted = converted && program.waitForFinished(60000) && program.exitCode() == 0;
    });

    std::printf("CSV export: %d records, %lld bytes of record file, best of %d runs\n\n", Records,
                static_cast<long long>(fileBytes), Runs);
    header();
    row("export a record file (--export-csv's work)", ms(fileTime), "< 300 ms", fileTime < 0.3);
    row("export a loaded list (\"Export CSV\")", ms(listTime), "< 300 ms", listTime < 0.3);
    row("thermodesk --export-csv process (information)", ms(processTime), "", true);
    row("CSV size", QString::number(QFile(csvPath).size() / 1048576.0, 'f', 1) + " MiB", "", true);

    const bool sound = converted && exported && fileRight && listRight &&
                       fileLines == Records + 1 && listLines == Records + 1;
    std::printf("\nCSV lines %lld (file) and %lld (list), header and first record as expected: "
                "%s\n",
                static_cast<long long>(fileLines), static_cast<long long>(listLines),
                sound ? "yes" : "NO");
    return sound ? 0 : 1;
}
