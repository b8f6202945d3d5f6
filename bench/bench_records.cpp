// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Record file benchmark: load, memory and save of a full 345,600-record file against a
// minimal read-and-split loop measured in the same run, then the load of a file of 50
// million empty records, whose memory must stay as bounded as that of any other file.
// Prints one table for each.

#include "lists/list_window_model.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_row.h"
#include "records/record_table.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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

// The degenerate file: 50 million records of five empty fields, loaded in a few runs.
constexpr qint64 EmptyRecords = 50'000'000;
constexpr int EmptyRuns = 3;
const char *const LoadChildOption = "--load-empty-records";

// Run in a fresh process of its own, so no memory freed by earlier measurements is
// reused unseen: resets the peak resident size to the current one (clear_refs "5"),
// loads the file through the model as opening it does, and prints seconds, records,
// table bytes and the growth of the peak resident size over the resident size before.
int loadEmptyRecordsChild(const QString &path) {
    if (!resetPeakResident())
        return 1;
    const qint64 residentBefore = statusBytes("VmRSS");
    QElapsedTimer timer;
    timer.start();
    ListWindowModel list(ListWindowModel::Kind::FileList, {}, {});
    const int loaded = loadIntoList(path, list);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const qint64 peak = statusBytes("VmHWM");
    if (loaded < 0 || list.grid().rowCount() != loaded || residentBefore < 0 || peak < 0)
        return 1;
    std::printf("%.6f %d %lld %lld\n", seconds, loaded,
                static_cast<long long>(list.records().memoryBytes()),
                static_cast<long long>(peak - residentBefore));
    return 0;
}

// The degenerate file against the getline loop; false when the load went wrong.
bool benchEmptyRecords(const QTemporaryDir &dir) {
    const QString path = dir.filePath("empty-records.rdg");
    if (!writeEmptyRecordsFile(path, EmptyRecords)) {
        std::fprintf(stderr, "cannot write the empty-records file in %s\n", qPrintable(dir.path()));
        QFile::remove(path);
        return false;
    }
    const qint64 fileBytes = QFile(path).size();
    size_t fields = 0;
    double getlineTime = std::numeric_limits<double>::max();
    for (int i = 0; i < EmptyRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        fields = baselineGetline(path.toStdString());
        getlineTime = std::min(getlineTime, timer.nsecsElapsed() / 1e9);
    }

    double loadTime = std::numeric_limits<double>::max();
    qint64 loaded = -1, tableBytes = 0, peakBytes = 0;
    for (int i = 0; i < EmptyRuns; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {LoadChildOption, path});
        const bool finished = child.waitForFinished(-1);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
            figures.size() != 4) {
            loaded = -1;
            break;
        }
        loadTime = std::min(loadTime, figures[0].toDouble());
        loaded = figures[1].toLongLong();
        tableBytes = std::max(tableBytes, figures[2].toLongLong());
        peakBytes = std::max(peakBytes, figures[3].toLongLong());
    }
    QFile::remove(path);

    std::printf("\nEmpty records: %lld records, %lld bytes, getline best of %d runs, load best "
                "of %d runs in a fresh process each\n\n",
                static_cast<long long>(EmptyRecords), static_cast<long long>(fileBytes), EmptyRuns,
                EmptyRuns);
    header();
    row("baseline: getline + find TAB", ms(getlineTime), "", true);
    row("load: RecordFileReader + publishRows", ms(loadTime), "", true);
    row("load / getline baseline", ratio(loadTime / getlineTime), "<= 3",
        loadTime / getlineTime <= 3);
    row("table memory", mib(tableBytes), "", true);
    row("table memory / file size", ratio(double(tableBytes) / fileBytes), "<= 2",
        tableBytes <= 2 * fileBytes);
    row("peak memory growth during load (VmHWM)", mib(peakBytes), "", true);
    row("peak memory growth / file size", ratio(double(peakBytes) / fileBytes), "<= 2",
        peakBytes <= 2 * fileBytes);
    std::printf("\nrecords loaded %lld\n", static_cast<long long>(loaded));
    return loaded == EmptyRecords && fields == size_t(EmptyRecords + 1) * 5;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], LoadChildOption) == 0)
        return loadEmptyRecordsChild(QString::fromLocal8Bit(argv[2]));
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
        ListWindowModel list(ListWindowModel::Kind::FileList, {}, {});
        loaded = loadIntoList(path, list);
        tableBytes = list.records().memoryBytes();
        if (list.grid().rowCount() != loaded)
            loaded = -1;
    });

    ListWindowModel list(ListWindowModel::Kind::FileList, {}, {});
    loadIntoList(path, list);
    bool saved = true;
    const double saveTime = bestOf([&] { saved = save(list.records(), savedPath) && saved; });
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
    std::fflush(stdout);
    const bool emptyRecordsSound = benchEmptyRecords(dir);
    return sound && emptyRecordsSound ? 0 : 1;
}
