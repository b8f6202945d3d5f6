// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Logger benchmark: a full 32 K logger memory from the virtual meter over a real
// pseudo-terminal, with the main window shown: the percentage's pace and the program's CPU
// use during the dump. Then, on the bytes received, the split into sets with GridSet filled,
// and the listing of the largest set into "Data List" until it is painted. Prints one table.

#include "bench_support.h"

#include "adapters/qt_serial_link.h"
#include "lists/list_window_model.h"
#include "logger/logger.h"
#include "logger/memory_model.h"
#include "logger/set_table.h"
#include "panel/panel_model.h"
#include "program/program.h"
#include "scripted_dialogs.h"
#include "shown_windows.h"
#include "ui/adapters/qt_platform.h"
#include "ui/desk.h"
#include "ui/panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

namespace {

using namespace bench;

// Milliseconds to the microsecond, for work far below a millisecond.
QString fineMs(double seconds) {
    return QString::number(seconds * 1000, 'f', 3) + " ms";
}

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// User and system time of this process, in seconds.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The dump as the meter sent it, rebuilt from the window's sets: N, S, then the sets.
QByteArray dumpOf(const SetTable &sets, int memorySize) {
    QByteArray dump;
    dump += char(sets.announced());
    dump += char(memorySize >> 8);
    dump += char(memorySize & 0xFF);
    for (int i = 1; i <= sets.count(); ++i)
        dump += sets.set(i).SetData;
    return dump;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const QString sim = QCoreApplication::applicationDirPath() + "/../tools/meter-sim/meter-sim";
    QTemporaryDir dir;
    const QString link = dir.filePath("meter");
    QProcess meter;
    meter.start(sim, {"--link", link, "--quiet", "--interval", "500"});
    if (!dir.isValid() || !meter.waitForStarted()) {
        std::fprintf(stderr, "cannot start the virtual meter %s\n", qPrintable(sim));
        return 1;
    }
    for (int i = 0; i < 50 && !QFileInfo::exists(link); ++i)
        QThread::msleep(100);
    const auto tell = [&meter](const char *line) {
        meter.write(QByteArray(line) + '\n');
        meter.waitForBytesWritten(1000);
    };

    PortNames names;
    names.addMapping("COM1=" + link);
    QtSerialLink serial(names);
    ScriptedDialogs dialogs;
    QtPlatform platform(serial, dialogs);
    Program program(platform);
    ShownWindows windows(program);
    program.choosePort("COM1");
    Panel panelView(program.panel());
    if (!program.loadPanel()) {
        std::fprintf(stderr, "cannot open the virtual meter's port %s\n", qPrintable(link));
        return 1;
    }
    panelView.show();

    // The dump: every change of the percentage on LblMain, timed.
    QElapsedTimer wall;
    std::vector<double> percentTimes;
    QString shown;
    QObject::connect(&program.panel(), &PanelModel::displayChanged, [&] {
        const QString text = program.panel().display().LblMain.text;
        if (text != shown && text.endsWith(QLatin1String(" %")))
            percentTimes.push_back(wall.nsecsElapsed() / 1e9);
        shown = text;
    });
    // Every progress text handed to LblMain, changed or not: one per chunk read.
    int progressTexts = 0;
    QObject::connect(&program.logger(), &Logger::progress, [&] { ++progressTexts; });
    QElapsedTimer startup;
    startup.start();
    while (program.panel().display().LblMain.text.isEmpty() && startup.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    tell("memory full");
    const double cpuBefore = cpuSeconds();
    wall.start();
    tell("dump");
    while (!program.MemoryOpen() && wall.elapsed() < 90000 && dialogs.messages.isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    const double dumpWall = wall.nsecsElapsed() / 1e9;
    const double dumpCpu = cpuSeconds() - cpuBefore;
    MemoryModel *memory = program.memory();
    if (!memory || memory->sets().count() == 0) {
        std::fprintf(stderr, "no dump arrived from the virtual meter\n");
        return 1;
    }
    double longestGap = 0;
    for (size_t i = 1; i < percentTimes.size(); ++i)
        longestGap = std::max(longestGap, percentTimes[i] - percentTimes[i - 1]);
    const double percentSpan =
        percentTimes.size() > 1 ? percentTimes.back() - percentTimes.front() : 0;

    // The split and GridSet, on the bytes received.
    const SetTable &received = memory->sets();
    int largest = 1;
    for (int i = 1; i <= received.count(); ++i) {
        if (received.set(i).SetRecords > received.set(largest).SetRecords)
            largest = i;
    }
    const int memorySize = 3 + int(received.DumpPos()) + 516;
    const QByteArray dump = dumpOf(received, memorySize);
    Runs = 20;
    int splitRows = 0;
    const double splitTime = bestOf([&] {
        MemoryModel model;
        model.showDownload(SetTable::split(quint8(dump[0]), QByteArrayView(dump).sliced(3)),
                           memorySize);
        splitRows = model.GridSet().rowCount();
    });
    // The same with the view made and painted, as a download opens it.
    const double splitShownTime = bestOf([&] {
        MemoryModel model;
        model.showDownload(SetTable::split(quint8(dump[0]), QByteArrayView(dump).sliced(3)),
                           memorySize);
        std::unique_ptr<QWidget> view(Desk::makeView(model));
        view->show();
        settle();
    });

    // The largest set into "Data List", its window shown and painted.
    Runs = 5;
    program.panel().stopTimers();
    const int records = received.set(largest).SetRecords;
    const double listTime = bestOf([&] {
        program.logger().listSet(program.memory(), largest);
        settle();
    });
    const int listed = program.dataList() ? program.dataList()->records().rowCount() : -1;
    program.panel().startTimers();

    const double cpuShare = dumpCpu / dumpWall;
    std::printf("Logger: a full memory from the virtual meter, %d sets, %d bytes (S = %d)\n\n",
                received.count(), int(dump.size()), memorySize);
    header();
    row("dump: wall time, marker to window", ms(dumpWall), "", true);
    row("dump: percentage updates", QString::number(percentTimes.size()), "", true);
    row("dump: longest gap between percentages", ms(longestGap), "< 500 ms", longestGap < 0.5);
    row("dump: percentages a second", ratio((percentTimes.size() - 1) / percentSpan), ">= 2",
        (percentTimes.size() - 1) / percentSpan >= 2);
    row("dump: LblMain texts set (every chunk, info)", QString::number(progressTexts), "", true);
    row("dump: CPU of the program", QString::number(cpuShare * 100, 'f', 2) + " %", "< 5 %",
        cpuShare < 0.05);
    row("split 32 K into sets, GridSet filled", fineMs(splitTime), "< 10 ms", splitTime < 0.01);
    row("the same, window made and painted (info)", ms(splitShownTime), "", true);
    const QString listWhat =
        QStringLiteral("list set %1 (%2 records), painted").arg(largest).arg(records);
    row(qPrintable(listWhat), ms(listTime), "< 50 ms", listTime < 0.05);
    std::printf("\nGridSet rows after the split %d, records listed %d of %d\n", splitRows, listed,
                records);

    program.quit();
    tell("quit");
    meter.waitForFinished(3000);
    return listed == records && records > 7000 && splitRows == received.count() ? 0 : 1;
}
