// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Following benchmark: a recording of eight parts (2,764,800 records) plotted by "Plot
// Recording" and followed at one new record a second: what each second of following costs
// (read the new bytes, append to the table and the pyramid, draw the span at the plot's
// width, repaint), as a share of one core; the memory the plot holds against the size of
// the files; and the statistics of any zoom of 345,600 records and of the whole run, from
// the pyramid.

#include "bench_support.h"
#include "silent_meter.h"

#include "graphs/list_plot_model.h"
#include "graphs/record_pyramid.h"
#include "graphs/span_statistics.h"
#include "lists/record_follower.h"
#include "panel/panel_model.h"
#include "platform/serial_link.h"
#include "program/program.h"
#include "records/file_names.h"
#include "records/record_table.h"
#include "scripted_dialogs.h"
#include "shown_windows.h"
#include "ui/adapters/qt_platform.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

using namespace bench;

constexpr int Parts = 8;
constexpr int Seconds = 120; // records appended while following

const QDateTime Start(QDate(2001, 5, 3), QTime(14, 25, 1));

QByteArray recordLine(int number) {
    const int t1 = 253 + (number / 7) % 120 - (number / 13) % 60; // tenths of a degree
    const int t2 = 241 - (number / 11) % 90 + (number / 17) % 40;
    const QString cells[] = {QString::number(number), recordTimeStamp(Start.addSecs(number - 1)),
                             QString::number(t1 / 10.0, 'f', 1), QString::number(t2 / 10.0, 'f', 1),
                             QString::number((t1 - t2) / 10.0, 'f', 1)};
    QByteArray line;
    for (const QString &cell : cells)
        line += cell.toLatin1() + '\t';
    return line + "\r\n";
}

// A part as the recorder writes it: its heading, then its records, numbered on from the
// part before.
bool writePart(const QString &path, int firstNumber, int records) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes("K Type \xB0"
                     "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n");
    for (int number = firstNumber; number < firstNumber + records; ++number) {
        bytes += recordLine(number);
        if (bytes.size() > (1 << 20)) {
            if (file.write(bytes) != bytes.size())
                return false;
            bytes.clear();
        }
    }
    return file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Runs = 5;
    QTemporaryDir dir;
    const QString first = dir.filePath("run.rdg");
    RecordingParts parts;
    qint64 fileBytes = 0;
    for (int part = 0; part < Parts; ++part) {
        const QString path = part == 0 ? first : continuationFileName(first, part);
        if (!writePart(path, part * Records + 1, Records)) {
            std::fprintf(stderr, "cannot write the parts in %s\n", qPrintable(dir.path()));
            return 1;
        }
        parts.paths << path;
        parts.numbers << part;
        fileBytes += QFileInfo(path).size();
    }

    SilentMeter meter;
    ScriptedDialogs dialogs;
    QtPlatform platform(meter, dialogs);
    Program program(platform);
    ShownWindows views(program);
    program.choosePort("COM1");
    program.loadPanel();
    program.panel().stopTimers();
    settle();

    // What "Plot Recording" does: every part read by the follower's first poll, then the
    // plot, whose first pass builds the pyramid.
    const qint64 residentBefore = statusBytes("VmRSS");
    QElapsedTimer timer;
    timer.start();
    auto run = std::make_unique<RecordTable>();
    RecordTable &table = *run;
    auto follower =
        std::make_unique<RecordFollower>(table, parts, 0, 0, RecordFollower::Continuations::Follow);
    follower->poll();
    const double readAll = timer.nsecsElapsed() / 1e9;
    ListPlotModel *plot = program.windows().open(
        std::make_unique<ListPlotModel>(platform, program.panel().timers(), std::move(run),
                                        std::move(follower), QString::fromUtf8("°C"), "K"));
    settle();
    plot->follower()->stop(); // polled here, once per simulated second
    timer.restart();
    plot->Timer1().stop();
    plot->DrawPass();
    settle();
    const double firstPass = timer.nsecsElapsed() / 1e9;
    if (table.rowCount() != Parts * Records || !plot->pyramidBuilt()) {
        std::fprintf(stderr, "the run did not load: %d records\n", table.rowCount());
        return 1;
    }
    // Taken before the pyramid below, a copy built only to be weighed: its freed blocks stay
    // in the process's heap and are no part of what the plot holds.
    const qint64 residentGrowth = statusBytes("VmRSS") - residentBefore;
    const qsizetype pyramidBytes = RecordPyramid::of(table).memoryBytes();
    const qint64 heldBytes = table.memoryBytes() + pyramidBytes;

    // One record a second: appended to the last part by its writer, then one poll.
    plot->run(GraphCommand::Statistics); // the statistics line is redrawn every second too
    settle();
    const QString last = parts.paths.last();
    double worst = 0;
    double total = 0;
    for (int second = 0; second < Seconds; ++second) {
        {
            QFile file(last);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
                file.write(recordLine(Parts * Records + 1 + second)) < 0)
                return 1;
        }
        timer.restart();
        plot->follower()->poll();
        settle();
        const double cost = timer.nsecsElapsed() / 1e9;
        worst = std::max(worst, cost);
        total += cost;
    }
    const double perSecond = total / Seconds;
    const bool followed = plot->ToNo() == Parts * Records + Seconds && plot->followsEnd();

    // Statistics of zooms of 345,600 records anywhere in the run, and of the whole run.
    const RecordPyramid pyramid = RecordPyramid::of(table);
    QRandomGenerator random(5);
    double zoomStatistics = 0;
    for (int i = 0; i < 20; ++i) {
        const int from = 1 + int(random.bounded(quint32(table.rowCount() - Records)));
        zoomStatistics = std::max(zoomStatistics, bestOf([&] {
                                      const SpanStatistics s = SpanStatistics::of(
                                          pyramid, table, from, from + Records - 1);
                                      for (Channel channel : Channels)
                                          (void)s.line(channel, table);
                                  }));
    }
    const double wholeStatistics = bestOf([&] {
        const SpanStatistics s = SpanStatistics::of(pyramid, table, 1, table.rowCount());
        for (Channel channel : Channels)
            (void)s.line(channel, table);
    });
    // The same through the plot: a zoom of 345,600 records, drawn and its statistics shown.
    const auto &s = plot->state();
    const double plotZoom = bestOf([&] {
        plot->zoomOut();
        plot->zoomTo(s.PlotLeft + 0.40 * s.PlotWidth, s.PlotLeft + 0.525 * s.PlotWidth);
        settle();
    });
    const int zoomRecords = plot->ToNo() - plot->FromNo() + 1;
    program.quit();

    const double fileMib = fileBytes / 1048576.0;
    std::printf("Following: %d parts of %d records (%.1f MiB of files), %d records appended one "
                "a second\n\n",
                Parts, Records, fileMib, Seconds);
    header();
    row("read every part (first poll)", ms(readAll), "", true);
    row("first pass, building the pyramid", ms(firstPass), "", true);
    row("each second of following, mean", ms(perSecond), "", true);
    row("  as a share of one core", QString::number(perSecond * 100, 'f', 3) + " %", "< 1 %",
        perSecond < 0.01);
    row("each second of following, worst", ms(worst), "", true);
    row("table held", mib(table.memoryBytes()), "", true);
    row("pyramid held", mib(pyramidBytes), "", true);
    row("table and pyramid held", mib(heldBytes), "", true);
    row("  against the files", ratio(double(heldBytes) / fileBytes), "<= 1.20",
        double(heldBytes) / fileBytes <= 1.2);
    row("resident growth (plot, table, pyramid)", mib(residentGrowth), "", true);
    row("  against the files", ratio(double(residentGrowth) / fileBytes), "<= 1.20",
        double(residentGrowth) / fileBytes <= 1.2);
    const auto us = [](double seconds) { return QString::number(seconds * 1e6, 'f', 1) + " us"; };
    row("statistics of a zoom of 345,600 records", us(zoomStatistics), "< 5 ms",
        zoomStatistics < 0.005);
    row("statistics of the whole run", us(wholeStatistics), "< 20 ms", wholeStatistics < 0.02);
    row("zoom out and in, drawn with the statistics", ms(plotZoom), "", true);
    std::printf("\nfollowed to the end: %s; the plot's zoom spans %d records; messages: %s\n",
                followed ? "yes" : "NO", zoomRecords, qPrintable(dialogs.messages.join(" | ")));
    return followed && dialogs.messages.isEmpty() ? 0 : 1;
}
