// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Graphs benchmark: the file plot's drawing pass over a full 345,600-record file in a
// window of the design size and one of 1600 × 1000, drawn by column extents and by every
// segment (the pixels by which the two pictures differ); the real-time graph's PlotTick;
// and the idle cost of following a meter, recording at 1 s, with the graph open.

#include "bench_support.h"

#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "platform/serial_link.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "records/record_heading.h"
#include "scripted_dialogs.h"
#include "shown_windows.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/adapters/qt_platform.h"
#include "ui/desk.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace bench;

// A meter that sends a live frame every 150 ms, as the real one does about.
class SteadyMeter : public SerialLink {
public:
    SteadyMeter() { m_since.start(); }
    bool open(int) override { return true; }
    bool isOpen() const override { return true; }
    QByteArray readAll() override {
        if (m_since.elapsed() < 150)
            return {};
        m_since.restart();
        return QByteArray::fromHex("020945010080fd00f003");
    }
    bool write(const QByteArray &) override { return true; }
    bool broken() const override { return false; }
    void close() override {}

private:
    QElapsedTimer m_since;
};

void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

const QImage &pictureOf(GraphWindowModel &graph) {
    return static_cast<QtImageSurface &>(graph.surface()).image();
}

int differingPixels(const QImage &a, const QImage &b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    }
    return n;
}

// CPU seconds this thread has used: a tick's own cost, without the time another process
// had the core (the machine may be busy).
double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Pixels in the colours of the three curves.
int curvePixels(const QImage &image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xffffff;
            n += pixel == 0x0000ff || pixel == 0x00ff00 || pixel == 0xff0000;
        }
    }
    return n;
}

struct PassResult {
    double seconds = 0;
    double cpuSeconds = 0;
    QImage picture;
};

// The pass alone (the frame and its one-second timer not counted), the window shown and
// repainted as events run during the pass; best of the runs.
PassResult timePass(ListPlotModel &plot, QWidget &window, const QSize &size) {
    window.resize(size);
    settle();
    PassResult result{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), {}};
    for (int run = 0; run < Runs; ++run) {
        plot.DrawFrame();
        plot.Timer1().stop();
        settle();
        const double cpuStart = threadCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        plot.DrawPass();
        result.seconds = std::min(result.seconds, timer.nsecsElapsed() / 1e9);
        result.cpuSeconds = std::min(result.cpuSeconds, threadCpuSeconds() - cpuStart);
    }
    settle();
    result.picture = pictureOf(plot).copy();
    return result;
}

// CPU seconds this process has used (user and system), from /proc/self/stat.
double cpuSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // The fields after the command name in parentheses; utime and stime are 14 and 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Runs = 3;
    QTemporaryDir dir;
    const QString path = dir.filePath("recording.rdg");
    if (!dir.isValid() || !writeRecordingFile(path)) {
        std::fprintf(stderr, "cannot write the test file in %s\n", qPrintable(dir.path()));
        return 1;
    }

    SteadyMeter meter;
    ScriptedDialogs dialogs;
    QtPlatform platform(meter, dialogs);
    Program program(platform);
    ShownWindows views(program);
    program.choosePort("COM1");
    program.loadPanel();
    program.panel().stopTimers();

    // The file plot of the whole file.
    dialogs.path = path;
    program.panelCommands().open();
    settle();
    ListWindowModel *list = program.fileList();
    program.listCommands().plot(list);
    ListPlotModel *plot = program.plot();
    if (!list || !plot || !views.view(plot)) {
        std::fprintf(stderr, "the file plot did not open\n");
        return 1;
    }
    const int records = list->records().rowCount();
    struct Size {
        const char *name;
        QSize size;
    };
    const Size sizes[] = {{"design size 612 x 400", ListPlotModel::DesignSize},
                          {"1600 x 1000", QSize(1600, 1000)}};
    // The plot "Plot" opened, then one that draws every segment, to compare.
    PassResult extents[2], segments[2];
    for (int i = 0; i < 2; ++i)
        extents[i] = timePass(*plot, *views.view(plot), sizes[i].size);
    const QString caption = plot->caption();
    const RecordHeading heading = RecordHeading::forPlot(list->records().heading(0));
    ListPlotModel *everySegment = program.windows().open(
        std::make_unique<ListPlotModel>(platform, program.panel().timers(), *list, heading.unit,
                                        heading.type, PlotPass::Drawing::EverySegment));
    for (int i = 0; i < 2; ++i)
        segments[i] = timePass(*everySegment, *views.view(everySegment), sizes[i].size);
    everySegment->requestClose();
    settle();

    // The real-time graph: PlotTick with three channels, the window shown, fed by readings
    // that change at every tick.
    LiveValues live = program.panel().live();
    RealTimeT1T2Model *graph = program.windows().open(std::make_unique<RealTimeT1T2Model>(
        platform, program.panel().timers(), live, live.UnitText));
    settle();
    graph->Timer1().stop();
    std::vector<double> ticks;
    std::vector<double> tickCpu;
    std::vector<double> restarts;
    const auto tick = [&](int i, bool timed) {
        live.T1Text = QString::number(25 + (i % 37) * 0.7, 'f', 1);
        live.T2Text = i % 500 == 0 ? QStringLiteral("OL") : QString::number(20 + (i % 23), 'f', 1);
        live.DiffText = QString::number(5 + (i % 11) * 0.3, 'f', 1);
        const GraphState &s = graph->state();
        const bool restart = s.XPos + s.XStep >= s.PlotWidth;
        const double cpuStart = threadCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        graph->PlotTick();
        const double wall = timer.nsecsElapsed() / 1e9;
        if (timed && restart)
            restarts.push_back(wall);
        if (timed && !restart) {
            ticks.push_back(wall);
            tickCpu.push_back(threadCpuSeconds() - cpuStart);
        }
    };
    // One sweep first: the first time label loads the font's glyphs.
    for (int i = 0; i < 181; ++i)
        tick(i, false);
    for (int i = 0; i < 3600; ++i)
        tick(i, true);
    std::sort(ticks.begin(), ticks.end());
    std::sort(restarts.begin(), restarts.end());
    std::sort(tickCpu.begin(), tickCpu.end());
    settle();

    // Idle: following the meter (frames every 150 ms), recording at 1 s, the graph open and
    // ticking, for a minute of the event loop. The recording starts once a frame has given
    // the unit, as a user's would; the graph is the one "Graph" opens, fed by the meter.
    graph->requestClose();
    settle();
    program.panelCommands().graph();
    graph = program.graph();
    dialogs.path = dir.filePath("idle.rdg");
    program.panel().startTimers();
    QTimer::singleShot(1000, &app, [] { QCoreApplication::exit(0); });
    app.exec();
    program.panelCommands().save();
    const bool recording = program.recorder().Recording();
    graph->resize(RealTimeT1T2Model::DesignSize);
    const int idleSeconds = 60;
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // exit(), not quit(): quit() would close the windows first.
    QTimer::singleShot(idleSeconds * 1000, &app, [] { QCoreApplication::exit(0); });
    app.exec();
    const double idleWall = wall.nsecsElapsed() / 1e9;
    const double idleCpu = cpuSeconds() - cpuBefore;
    const int recorded = program.recorder().RecordCount();
    const bool stillRecording = program.recorder().Recording();
    program.quit();

    std::printf("Graphs: %d records in the file plot; real-time graph at %d x %d\n\n", records,
                RealTimeT1T2Model::DesignSize.width(), RealTimeT1T2Model::DesignSize.height());
    header();
    for (int i = 0; i < 2; ++i) {
        const QByteArray name = QByteArray("pass, column extents, ") + sizes[i].name;
        row(name.constData(), ms(extents[i].seconds), "< 100 ms", extents[i].seconds < 0.1);
        const QByteArray cpu = QByteArray("  the same, CPU time of the thread (info)");
        row(cpu.constData(), ms(extents[i].cpuSeconds), "", true);
        const QByteArray every = QByteArray("pass, every segment, ") + sizes[i].name;
        row(every.constData(), ms(segments[i].seconds), "", true);
        const QByteArray diff = QByteArray("differing / curve pixels, ") + sizes[i].name;
        const int differing = differingPixels(extents[i].picture, segments[i].picture);
        row(diff.constData(),
            QStringLiteral("%1 of %2").arg(differing).arg(curvePixels(segments[i].picture)), "",
            true);
    }
    const auto us = [](double seconds) { return QString::number(seconds * 1e6, 'f', 1) + " us"; };
    const double p99 = ticks[ticks.size() * 99 / 100];
    row("PlotTick, three channels (median)", us(ticks[ticks.size() / 2]), "< 1 ms",
        ticks[ticks.size() / 2] < 0.001);
    row("PlotTick, three channels (99th percentile)", us(p99), "< 1 ms", p99 < 0.001);
    row("PlotTick, three channels (worst, CPU time)", us(tickCpu.back()), "< 1 ms",
        tickCpu.back() < 0.001);
    row("PlotTick, three channels (worst, wall, info)", us(ticks.back()), "", true);
    row("PlotTick erasing at the edge (worst, info)", us(restarts.back()), "", true);
    const double share = 100 * idleCpu / idleWall;
    row("idle: meter, recording 1 s, graph open (CPU)", QString::number(share, 'f', 2) + " %",
        "< 1 %", share < 1);
    std::printf("\nidle: %.2f s CPU (utime + stime from /proc/self/stat) in %.1f s, %d records "
                "written, recording %s; caption after the passes \"%s\"\n",
                idleCpu, idleWall, recorded, recording && stillRecording ? "on" : "OFF",
                qPrintable(caption));
    return records == Records && recording && stillRecording && recorded > 0 &&
                   caption == QStringLiteral("Plot")
               ? 0
               : 1;
}
