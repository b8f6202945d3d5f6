// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the benchmarks share: the full-size recording file, timing and the result table.

#include "lists/list_window_model.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_row.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>

namespace bench {

constexpr int Records = 345600; // the most a recording file holds
inline int Runs = 5;

// Best of the runs, in seconds.
inline double bestOf(const std::function<void()> &run) {
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

// A file as recording writes it: heading, records 1.. one second apart, readings that
// wander like a slowly warming and cooling pair of thermocouples.
inline bool writeRecordingFile(const QString &path) {
    RecordFileWriter writer(RecordFileWriter::Flush::AtEnd);
    if (!writer.create(path) || !writer.writeHeading("K", QString::fromUtf8("°C")))
        return false;
    const QDateTime start(QDate(2001, 5, 3), QTime(14, 25, 1));
    for (int i = 1; i <= Records; ++i) {
        const int t1 = 253 + (i / 7) % 120 - (i / 13) % 60; // tenths of a degree
        const int t2 = 241 - (i / 11) % 90 + (i / 17) % 40;
        const QString t1Text =
            i % 50000 == 0 ? QStringLiteral("OL") : QString::number(t1 / 10.0, 'f', 1);
        const QString diff =
            i % 50000 == 0 ? QStringLiteral("----") : QString::number((t1 - t2) / 10.0, 'f', 1);
        if (!writer.writeRecord(i, recordTimeStamp(start.addSecs(i - 1)), t1Text,
                                QString::number(t2 / 10.0, 'f', 1), diff))
            return false;
    }
    return writer.close();
}

// The degenerate file: a heading, then records of five empty fields, 7 bytes a line.
inline bool writeEmptyRecordsFile(const QString &path, qint64 records) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray heading("K Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n");
    const QByteArray line("\t\t\t\t\t\r\n");
    constexpr qint64 LinesPerBlock = 1 << 16;
    const QByteArray block = line.repeated(LinesPerBlock);
    if (file.write(heading) != heading.size())
        return false;
    for (qint64 written = 0; written < records; written += LinesPerBlock) {
        const qint64 lines = std::min(LinesPerBlock, records - written);
        if (file.write(block.constData(), lines * line.size()) != lines * line.size())
            return false;
    }
    return file.flush();
}

// The bare load: what opening a file into the file list does, without window, events or
// captions; the number of records read, -1 on a failure.
inline int loadIntoList(const QString &path, ListWindowModel &list) {
    RecordFileReader reader;
    if (!reader.open(path))
        return -1;
    RecordFileReader::Step step;
    while ((step = list.readNext(reader)) == RecordFileReader::Step::Record ||
           step == RecordFileReader::Step::Heading) {
    }
    return step == RecordFileReader::Step::End ? reader.recordsRead() : -1;
}

// A figure of /proc/self/status in bytes ("VmRSS", "VmHWM"); -1 where there is none.
inline qint64 statusBytes(const char *name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

// Sets the peak resident size (VmHWM) back to the resident size now; false when the
// system does not allow it.
inline bool resetPeakResident() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1) {
        std::fprintf(stderr, "cannot reset the peak resident size: %s\n",
                     qPrintable(clearRefs.errorString()));
        return false;
    }
    return true;
}

inline QString mib(qint64 bytes) {
    return QString::number(bytes / 1048576.0, 'f', 1) + " MiB";
}

// The simplest honest C++ loop: getline, then five finds of TAB per line; with
// keepFields each field is also copied into a string of its own, as a program that
// splits a file into its fields does.
inline size_t baselineGetline(const std::string &path, bool keepFields = false) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::string fields[5];
    size_t count = 0;
    while (std::getline(in, line)) {
        size_t from = 0;
        for (int f = 0; f < 5; ++f) {
            const size_t tab = line.find('\t', from);
            if (tab == std::string::npos)
                break;
            if (keepFields)
                fields[f].assign(line, from, tab - from);
            ++count;
            from = tab + 1;
        }
    }
    return count;
}

// The heading of a result table; rows follow with row().
inline void header() {
    std::printf("%-44s %14s   %-10s %s\n", "measure", "value", "target", "");
}

inline void row(const char *what, const QString &value, const QString &target, bool met) {
    std::printf("%-44s %14s   %-10s %s\n", what, qPrintable(value), qPrintable(target),
                target.isEmpty() ? "" : (met ? "ok" : "MISSED"));
}

// A quotient as the tables show it.
inline QString ratio(double value) {
    return QString::number(value, 'f', 2);
}

inline QString ms(double seconds) {
    return QString::number(seconds * 1000, 'f', 1) + " ms";
}

} // namespace bench
