// Window benchmark: the real commands with the real list windows shown. Opens a full
// 345,600-record file into FileList until it is painted, saves a full live list, and
// times sampling ticks that append to a live list of that size. Prints one table.

#include "bench_support.h"

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
#include <QTemporaryDir>
#include <QWidget>

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

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    bench::Runs = 3;
    QTemporaryDir dir;
    const QString path = dir.filePath("recording.rdg");
    if (!dir.isValid() || !writeRecordingFile(path)) {
        std::fprintf(stderr, "cannot write the test file in %s\n", qPrintable(dir.path()));
        return 1;
    }

    SteadyMeter link;
    ScriptedDialogs dialogs;
    QtPlatform platform(link, dialogs);
    Program program(platform);
    ShownWindows windows(program);
    program.choosePort("COM1");
    program.loadPanel();
    program.panel().stopTimers();
    // K, °C; T1 25.3, T2 24.1, so T1-T2 1.2.
    program.panel().showFrame(QByteArray::fromHex("020945010080fd80f103"));

    const double getlineTime = bestOf([&] { baselineGetline(path.toStdString()); });
    const double fieldsTime = bestOf([&] { baselineGetline(path.toStdString(), true); });

    // "Open": dialog answered, file read into FileList, the window painted.
    dialogs.path = path;
    int openedRows = 0;
    double openTime = std::numeric_limits<double>::max();
    for (int run = 0; run < Runs; ++run) {
        program.windows().close(program.fileList()); // closing the last file is not part of it
        settle();
        QElapsedTimer timer;
        timer.start();
        program.panelCommands().open();
        settle();
        openTime = std::min(openTime, timer.nsecsElapsed() / 1e9);
        openedRows = program.fileList() ? program.fileList()->records().rowCount() : -1;
    }

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
    row("\"Open\" into FileList, painted (best of 3)", ms(openTime), "< 300 ms", openTime < 0.3);
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
    return openedRows == 345600 && listClosed ? 0 : 1;
}
