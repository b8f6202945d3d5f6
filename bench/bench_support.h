#pragma once

// What the benchmarks share: the full-size recording file, timing and the result table.

#include "records/record_file_writer.h"
#include "records/record_row.h"

#include <QDateTime>
#include <QElapsedTimer>
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
