// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Graph extras benchmark: drag-to-zoom on a full 345,600-record file plot (the pyramid of
// record extents built by the first pass, or at the first zoom), the cursor readout, saving
// the picture as PNG, SVG and PDF, and "Plot All Parts" of a recording of eight parts
// (2,764,800 records): reading the parts, then the first complete pass.

#include "bench_support.h"
#include "silent_meter.h"

#include "graphs/list_plot_model.h"
#include "graphs/record_pyramid.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "platform/serial_link.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "scripted_dialogs.h"
#include "shown_windows.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/adapters/qt_picture_writer.h"
#include "ui/adapters/qt_platform.h"
#include "ui/desk.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace bench;

constexpr int Parts = 8;

struct Span {
    const char *name;
    double from; // fractions of the plot's width
    double to;
};

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Runs = 5;
    QTemporaryDir dir;
    const QString first = dir.filePath("run.rdg");
    if (!dir.isValid() || !writeRecordingFile(first)) {
        std::fprintf(stderr, "cannot write the test file in %s\n", qPrintable(dir.path()));
        return 1;
    }

    SilentMeter meter;
    ScriptedDialogs dialogs;
    QtPlatform platform(meter, dialogs);
    Program program(platform);
    ShownWindows views(program);
    program.choosePort("COM1");
    program.loadPanel();
    program.panel().stopTimers();

    dialogs.path = first;
    program.panelCommands().open();
    settle();
    ListWindowModel *list = program.fileList();
    if (!list || list->records().rowCount() != Records) {
        std::fprintf(stderr, "the file did not open\n");
        return 1;
    }

    // The first pass over the whole file, which builds the pyramid as it goes; then a
    // plot whose first act is a zoom, which builds it at once.
    double firstPass = 0;
    double zoomBuilding = std::numeric_limits<double>::max();
    qsizetype pyramidBytes = 0;
    for (int run = 0; run < 3; ++run) {
        program.listCommands().plot(list);
        ListPlotModel *plot = program.plot();
        settle();
        plot->Timer1().stop();
        QElapsedTimer timer;
        timer.start();
        if (run == 0) {
            plot->DrawPass();
            firstPass = timer.nsecsElapsed() / 1e9;
            // The pyramid the pass built, as large as one built from the same records.
            pyramidBytes = RecordPyramid::of(list->records()).memoryBytes();
        } else {
            const GraphState &s = plot->state();
            plot->zoomTo(s.PlotLeft + 0.25 * s.PlotWidth, s.PlotLeft + 0.75 * s.PlotWidth);
            settle();
            zoomBuilding = std::min(zoomBuilding, timer.nsecsElapsed() / 1e9);
        }
        plot->requestClose();
        settle();
    }

    // Zooms of a plot whose pyramid is built, each redrawn on the screen.
    program.listCommands().plot(list);
    ListPlotModel *plot = program.plot();
    settle();
    plot->Timer1().stop();
    plot->DrawPass();
    settle();
    const Span spans[] = {{"whole file (345,600 records)", 0, 1},
                          {"half the file", 0.25, 0.75},
                          {"about four hours (14,400 records)", 0.5, 0.5 + 14400.0 / Records},
                          {"about an hour (3,600 records)", 0.3, 0.3 + 3600.0 / Records},
                          {"about 100 records", 0.7, 0.7 + 100.0 / Records}};
    std::vector<double> zooms;
    bool spansRight = true;
    for (const Span &span : spans) {
        zooms.push_back(bestOf([&] {
            plot->zoomOut();
            const GraphState &s = plot->state();
            plot->zoomTo(s.PlotLeft + span.from * s.PlotWidth, s.PlotLeft + span.to * s.PlotWidth);
            settle();
        }));
        const int expected =
            std::max(2, int(std::lround((span.to - span.from) * (Records - 1))) + 1);
        spansRight = spansRight && std::abs((plot->ToNo() - plot->FromNo() + 1) - expected) <= 2;
    }
    const double zoomOut = bestOf([&] {
        plot->zoomOut();
        settle();
    });

    // The readout where the pointer is, over the whole file.
    const GraphState &s = plot->state();
    QElapsedTimer readoutTimer;
    readoutTimer.start();
    int readouts = 0;
    for (int i = 0; i < 1000; ++i)
        readouts += plot->readoutAt({s.PlotLeft + (i % 500) * s.PlotWidth / 500, s.PlotBottom - 10})
                        .has_value();
    const double readout = readoutTimer.nsecsElapsed() / 1e9 / 1000;

    // Save Image of the whole file at the design size.
    const char *suffixes[] = {"png", "svg", "pdf"};
    double saves[3];
    qint64 saveBytes[3];
    for (int i = 0; i < 3; ++i) {
        dialogs.path = dir.filePath(QStringLiteral("picture.") + QLatin1String(suffixes[i]));
        saves[i] = bestOf([&] { plot->press(GraphCommand::SaveImage); });
        saveBytes[i] = QFileInfo(dialogs.path).size();
    }
    plot->requestClose();
    settle();

    // A recording of eight parts: the first file opened in FileList, then "Plot All Parts".
    for (int part = 1; part < Parts; ++part) {
        if (!QFile::copy(
                first,
                dir.filePath(QStringLiteral("run%1.rdg").arg(part, 3, 10, QLatin1Char('0'))))) {
            std::fprintf(stderr, "cannot copy the parts\n");
            return 1;
        }
    }
    dialogs.path = first;
    program.panelCommands().open();
    settle();
    list = program.fileList();
    double readParts = std::numeric_limits<double>::max();
    double partsPass = std::numeric_limits<double>::max();
    int partRecords = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        program.listCommands().plotAllParts(list);
        ListPlotModel *all = program.plot();
        settle();
        readParts = std::min(readParts, timer.nsecsElapsed() / 1e9);
        if (!all)
            break;
        all->Timer1().stop();
        timer.restart();
        all->DrawPass();
        settle();
        partsPass = std::min(partsPass, timer.nsecsElapsed() / 1e9);
        partRecords = all->ToNo();
        all->requestClose();
        settle();
    }
    program.quit();

    std::printf("Graph extras: %d records in the file plot, %d parts of %d records in the run\n\n",
                Records, Parts, Records);
    header();
    row("first pass, building the pyramid", ms(firstPass), "", true);
    row("pyramid size", QString::number(pyramidBytes / 1024.0, 'f', 0) + " KiB", "", true);
    row("zoom before the pyramid (built at the zoom)", ms(zoomBuilding), "", true);
    for (size_t i = 0; i < zooms.size(); ++i) {
        const QByteArray name = QByteArray("zoom to ") + spans[i].name;
        row(name.constData(), ms(zooms[i]), "< 50 ms", zooms[i] < 0.05);
    }
    row("zoom out to the whole file", ms(zoomOut), "< 50 ms", zoomOut < 0.05);
    row("readout at the pointer", QString::number(readout * 1e6, 'f', 1) + " us", "", true);
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = QByteArray("Save Image, whole file, ") + suffixes[i];
        row(name.constData(), ms(saves[i]) + QStringLiteral(" %1 KiB").arg(saveBytes[i] / 1024), "",
            true);
    }
    row("Plot All Parts: read 7 more parts", ms(readParts), "", true);
    row("Plot All Parts: first pass over the run", ms(partsPass), "", true);
    row("Plot All Parts: both", ms(readParts + partsPass), "< 1000 ms", readParts + partsPass < 1);
    std::printf("\nrun plotted: %d records; readouts found %d of 1000; messages: %s\n", partRecords,
                readouts, qPrintable(dialogs.messages.join(" | ")));
    return partRecords == Parts * Records && spansRight && readouts == 1000 &&
                   dialogs.messages.isEmpty()
               ? 0
               : 1;
}
