// Record file benchmark: load, memory and save of a full 345,600-record file against a
// minimal read-and-split loop measured in the same run. Prints one table.

#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_row.h"
#include "records/record_table.h"
#include "records/record_table_model.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

#include "bench_support.h"

namespace {

using namespace bench;

// The same with one read of the whole file and memchr.
size_t baselineMemchr(const std::string &path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string data(size_t(in.tellg()), '\0');
    in.seekg(0);
    in.read(data.data(), std::streamsize(data.size()));
    const char *p = data.data();
    const char *end = p + data.size();
    size_t fields = 0;
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *lineEnd = lf ? lf : end;
        const char *q = p;
        for (int f = 0; f < 5; ++f) {
            const char *tab = static_cast<const char *>(std::memchr(q, '\t', size_t(lineEnd - q)));
            if (!tab)
                break;
            ++fields;
            q = tab + 1;
        }
        p = lineEnd + 1;
    }
    return fields;
}

// What opening the file into the file list does, without the window.
int load(const QString &path, RecordTableModel &model) {
    RecordFileReader reader;
    if (!reader.open(path))
        return -1;
    RecordFileReader::Step step;
    while ((step = reader.readNext(model.table())) == RecordFileReader::Step::Record ||
           step == RecordFileReader::Step::Heading) {
        if (step == RecordFileReader::Step::Heading)
            model.setHeading(0, reader.headingField());
    }
    model.publishRows();
    return step == RecordFileReader::Step::End ? reader.recordsRead() : -1;
}

bool save(const RecordTable &table, const QString &path) {
    RecordFileWriter writer(RecordFileWriter::Flush::AtEnd);
    return writer.create(path) &&
           writer.writeRow({table.heading(0), table.heading(1), table.heading(2), table.heading(3),
                            table.heading(4)}) &&
           writer.writeTableRows(table, 0, table.rowCount()) && writer.close();
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("recording.rdg");
    const QString savedPath = dir.filePath("saved.rdg");
    if (!dir.isValid() || !writeRecordingFile(path)) {
        std::fprintf(stderr, "cannot write the test file in %s\n", qPrintable(dir.path()));
        return 1;
    }
    const qint64 fileBytes = QFile(path).size();
    const std::string stdPath = path.toStdString();

    size_t fields = 0;
    const double getlineTime = bestOf([&] { fields = baselineGetline(stdPath); });
    const double memchrTime = bestOf([&] { fields = baselineMemchr(stdPath); });

    int loaded = 0;
    qsizetype tableBytes = 0;
    const double loadTime = bestOf([&] {
        RecordTableModel model;
        loaded = load(path, model);
        tableBytes = model.table().memoryBytes();
        if (model.rowCount() != loaded)
            loaded = -1;
    });

    RecordTableModel model;
    load(path, model);
    bool saved = true;
    const double saveTime = bestOf([&] { saved = save(model.table(), savedPath) && saved; });
    const bool identical = contents(savedPath) == contents(path);

    std::printf("Record files: %d records, %lld bytes, best of %d runs\n\n", Records,
                static_cast<long long>(fileBytes), Runs);
    header();
    row("baseline: getline + find TAB", ms(getlineTime), "", true);
    row("baseline: read + memchr (information)", ms(memchrTime), "", true);
    row("load: RecordFileReader + publishRows", ms(loadTime), "< 300 ms", loadTime < 0.3);
    row("load / getline baseline", ratio(loadTime / getlineTime), "<= 3",
        loadTime / getlineTime <= 3);
    row("load / memchr baseline (information)", ratio(loadTime / memchrTime), "", true);
    row("table memory", QString::number(tableBytes / 1048576.0, 'f', 1) + " MiB", "", true);
    row("table memory / file size", ratio(double(tableBytes) / fileBytes), "<= 2",
        tableBytes <= 2 * fileBytes);
    row("save: RecordFileWriter(AtEnd)", ms(saveTime), "< 300 ms", saveTime < 0.3);

    const bool sound = loaded == Records && saved && identical && fields == size_t(Records + 1) * 5;
    std::printf("\nrecords loaded %d, saved file identical to the original: %s\n", loaded,
                identical ? "yes" : "NO");
    return sound ? 0 : 1;
}
