// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Window benchmark: the real commands with the real list windows shown. Opens a full
// 345,600-record file into FileList until it is painted, against the bare load of the
// same file and "Open" of a file without records, saves a full live list, and times
// sampling ticks that append to a live list of that size. Then, in a fresh process, opens
// a file of 5 million empty records with FileList shown and measures the whole program's
// memory against the file's size. Prints one table for each.

#include "bench_support.h"
#include "silent_meter.h"

#include "lists/list_window_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/sampler.h"
#include "platform/serial_link.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "scripted_dialogs.h"
#include "shown_windows.h"
#include "ui/adapters/qt_platform.h"
#include "ui/desk.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>

#include <cstring>

namespace {

using namespace bench;

// A meter that has a frame ready at every read.
class SteadyMeter : public SerialLink {
public:
    bool open(int) override { return true; }
    bool isOpen() const override { return true; }
    QByteArray readAll() override { return QByteArray::fromHex("020945010080fd00f003"); }
    bool write(const QByteArray &) override { return true; }
    bool broken() const override { return false; }
    void close() override {}
};

// The degenerate file of the memory measure: 5 million records, 35 MB.
constexpr qint64 EmptyRecords = 5'000'000;
const char *const OpenChildOption = "--open-empty-records";

// The program as the application puts it together, on a meter with a frame at every read
// and dialogs answered by the script, its panel loaded and its timers stopped.
struct BenchProgram {
    SteadyMeter link;
    ScriptedDialogs dialogs;
    QtPlatform platform{link, dialogs};
    std::unique_ptr<Program> program;
    std::unique_ptr<ShownWindows> windows;

    BenchProgram() {
        program = std::make_unique<Program>(platform);
        windows = std::make_unique<ShownWindows>(*program);
        program->choosePort("COM1");
        program->loadPanel();
        program->panel().stopTimers();
        // K, °C; T1 25.3, T2 24.1, so T1-T2 1.2.
        program->panel().showFrame(QByteArray::fromHex("020945010080fd80f103"));
    }

    // "Open" of the file, dialog answered, until FileList is shown and painted; seconds.
    double open(const QString &path) {
        dialogs.path = path;
        program->windows().close(program->fileList()); // closing the last file is not part of it
        settle();
        QElapsedTimer timer;
        timer.start();
        program->panelCommands().open();
        settle();
        if (QWidget *view = windows->view(program->fileList()))
            view->repaint();
        return timer.nsecsElapsed() / 1e9;
    }
};

// Run in a fresh process of its own: the program with its panel, then "Open" of the
// degenerate file with FileList shown and painted. Prints the records listed, the table's
// bytes, and the growth of the resident size after it and of its peak during it, over the
// resident size before.
int openEmptyRecordsChild(const QString &path) {
    BenchProgram bench;
    settle();
    if (!resetPeakResident())
        return 1;
    const qint64 residentBefore = statusBytes("VmRSS");
    bench.open(path);
    settle();
    const qint64 resident = statusBytes("VmRSS");
    const qint64 peak = statusBytes("VmHWM");
    ListWindowModel *list = bench.program->fileList();
    if (!list || residentBefore < 0 || resident < 0 || peak < 0)
        return 1;
    std::printf("%d %lld %lld %lld\n", list->records().rowCount(),
                static_cast<long long>(list->records().memoryBytes()),
                static_cast<long long>(resident - residentBefore),
                static_cast<long long>(peak - residentBefore));
    return 0;
}

// The degenerate file opened with its list shown: the whole program's memory against the
// file's size. False when the open went wrong.
bool benchEmptyRecords(const QTemporaryDir &dir) {
    const QString path = dir.filePath("empty-records.rdg");
    if (!writeEmptyRecordsFile(path, EmptyRecords)) {
        std::fprintf(stderr, "cannot write the empty-records file in %s\n", qPrintable(dir.path()));
        QFile::remove(path);
        return false;
    }
    const qint64 fileBytes = QFile(path).size();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {OpenChildOption, path});
    const bool finished = child.waitForFinished(-1);
    QFile::remove(path);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
        figures.size() != 4)
        return false;
    const qint64 rows = figures[0].toLongLong();
    const qint64 tableBytes = figures[1].toLongLong();
    const qint64 residentBytes = figures[2].toLongLong();
    const qint64 peakBytes = figures[3].toLongLong();

    std::printf("\nEmpty records: \"Open\" of %lld records of five empty fields, %lld bytes, "
                "FileList shown, in a fresh process\n\n",
                static_cast<long long>(EmptyRecords), static_cast<long long>(fileBytes));
    header();
    row("table memory", mib(tableBytes), "", true);
    row("table memory / file size", ratio(double(tableBytes) / fileBytes), "", true);
    row("program's growth, list shown (VmRSS)", mib(residentBytes), "", true);
    row("program's growth / file size", ratio(double(residentBytes) / fileBytes), "<= 2",
        residentBytes <= 2 * fileBytes);
    row("peak growth during \"Open\" (VmHWM)", mib(peakBytes), "", true);
    row("peak growth / file size", ratio(double(peakBytes) / fileBytes), "<= 2",
        peakBytes <= 2 * fileBytes);
    std::printf("\nrecords listed %lld\n", static_cast<long long>(rows));
    return rows == EmptyRecords;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], OpenChildOption) == 0)
        return openEmptyRecordsChild(QString::fromLocal8Bit(argv[2]));
    bench::Runs = 3;
    QTemporaryDir dir;
    const QString path = dir.filePath("recording.rdg");
    const QString emptyPath = dir.filePath("no-records.rdg");
    if (!dir.isValid() || !writeRecordingFile(path) || !writeEmptyRecordsFile(emptyPath, 0)) {
        std::fprintf(stderr, "cannot write the test files in %s\n", qPrintable(dir.path()));
        return 1;
    }

    BenchProgram bench;
    Program &program = *bench.program;
    ScriptedDialogs &dialogs = bench.dialogs;

    const double getlineTime = bestOf([&] { baselineGetline(path.toStdString()); });
    const double fieldsTime = bestOf([&] { baselineGetline(path.toStdString(), true); });
    int loadedRows = 0;
    const double loadTime = bestOf([&] {
        ListWindowModel list(ListWindowModel::Kind::FileList, {}, {});
        loadedRows = loadIntoList(path, list);
    });

    // "Open": dialog answered, file read into FileList, the window painted; the same for a
    // file with a heading and no records, what "Open" costs whatever the file.
    int openedRows = 0;
    double openTime = std::numeric_limits<double>::max();
    double openEmptyTime = std::numeric_limits<double>::max();
    for (int run = 0; run < Runs; ++run) {
        openEmptyTime = std::min(openEmptyTime, bench.open(emptyPath));
        openTime = std::min(openTime, bench.open(path));
        openedRows = program.fileList() ? program.fileList()->records().rowCount() : -1;
    }
    const double openGrowth = openTime - openEmptyTime;

    // "Save" of a live list holding 345,600 rows, window shown.
    program.panelCommands().list();
    ListWindowModel &list = *program.list();
    const RecordTable &opened = program.fileList()->records();
    for (int row = 0; row < opened.rowCount(); ++row)
        list.appendRow(opened.row(row));
    settle();
    // The sampling timer's tick alone, then with the events it causes (the list window
    // learning of the new row, scrolling and repainting).
    program.panel().stopTimers();
    std::vector<double> ticks;
    std::vector<double> ticksShown;
    Sampler &sampler = program.sampler();
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        sampler.tick();
        ticks.push_back(timer.nsecsElapsed() / 1e9);
        settle();
        ticksShown.push_back(timer.nsecsElapsed() / 1e9);
    }
    std::sort(ticks.begin(), ticks.end());
    std::sort(ticksShown.begin(), ticksShown.end());

    dialogs.path = dir.filePath("saved.rdg");
    const int savedRows = list.records().rowCount();
    QElapsedTimer saveTimer;
    saveTimer.start();
    program.listCommands().save(&list);
    const double saveTime = saveTimer.nsecsElapsed() / 1e9;
    const bool listClosed = !program.list();

    std::printf("Windows: %d records, real commands with the windows shown\n\n", openedRows);
    header();
    row("baseline: getline + find TAB", ms(getlineTime), "", true);
    row("baseline: getline + fields as strings", ms(fieldsTime), "", true);
    row("bare load: RecordFileReader + publishRows", ms(loadTime), "", true);
    row("\"Open\" into FileList, painted (best of 3)", ms(openTime), "< 300 ms", openTime < 0.3);
    row("\"Open\" of a file without records", ms(openEmptyTime), "", true);
    row("\"Open\" less \"Open\" without records", ms(openGrowth), "", true);
    row("(\"Open\" less without records) / bare load", ratio(openGrowth / loadTime), "<= 2",
        openGrowth / loadTime <= 2);
    row("\"Open\" / getline baseline", ratio(openTime / getlineTime), "<= 3",
        openTime / getlineTime <= 3);
    row("\"Open\" / fields baseline", ratio(openTime / fieldsTime), "<= 3",
        openTime / fieldsTime <= 3);
    row("sampling tick, list of 345,600 (median)", ms(ticks[ticks.size() / 2]), "< 1 ms",
        ticks[ticks.size() / 2] < 0.001);
    row("sampling tick, list of 345,600 (worst)", ms(ticks.back()), "< 1 ms", ticks.back() < 0.001);
    row("tick + repaint of the list (median, info)", ms(ticksShown[ticksShown.size() / 2]), "",
        true);
    row("\"Save\" of the live list", ms(saveTime), "< 300 ms", saveTime < 0.3);
    std::printf("\nrows saved %d, list closed after saving: %s\n", savedRows,
                listClosed ? "yes" : "NO");
    program.quit();
    std::fflush(stdout);
    const bool emptyRecordsSound = benchEmptyRecords(dir);
    return openedRows == 345600 && loadedRows == 345600 && listClosed && emptyRecordsSound ? 0 : 1;
}
