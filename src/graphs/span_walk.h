// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_state.h"
#include "graphs/plot_pass.h"
#include "graphs/record_axis.h"
#include "link/reading.h"

#include <QString>

#include <array>

class RecordTable;
class Surface;

// The records of a file plot's span drawn one after the other, as both the pass (one record
// at a time, events between them) and a zoom (drawn at once) walk them: record k's progress
// mark when it has one (a dotted line with the record's time under the axis), then a point
// of each channel shown. A reading of no value ends its channel's curve and switches the
// channel off for the rest of the walk.
class SpanWalk {
public:
    SpanWalk(Surface &out, PlotPass::Drawing drawing, const RecordTable &records,
             const PlotGeometry &geometry, const RecordAxis &axis, std::array<int, 3> show);

    // Whether the k-th record of a pass over n + 1 records gets a progress mark: the first,
    // the last, and the one at or just below n/4 and n/2 and at or just above 3n/4.
    static bool isProgressMark(qint64 k, qint64 n);
    // A progress mark's label from the record's date and time text ("2026/12/10 08:00:00"):
    // the time of day "08:00:00", or with the date as well "12/10 08:00:00" when the span
    // crosses midnight and the time alone would not tell the days apart.
    static QString markLabel(const QString &dateTime, bool withDate);
    // Whether two records' date and time texts lie on different days.
    static bool differentDays(const QString &first, const QString &last);

    // Draws record k of the span.
    void record(qint64 k);
    // Where the record drawn last lies: its distance from the plot's left edge, and its x.
    double offset() const { return m_offset; }
    double pointX() const { return m_x; }
    // Of the record drawn last: whether the channel drew a point of it, the reading it read
    // and the point's y.
    bool drew(Channel channel) const { return m_drew[size_t(channel)]; }
    const Reading &reading(Channel channel) const { return m_readings[size_t(channel)]; }
    double pointY(Channel channel) const { return m_y[size_t(channel)]; }
    // The channel switches as the walk has left them.
    const std::array<int, 3> &switches() const { return m_show; }

    // One more point of a channel's curve: the others of a pixel column drawn at once.
    void addPoint(Channel channel, double x, double y) { m_pass.addPoint(channel, x, y); }
    // Draws what the curves still hold back (see PlotPass::flush).
    void flush() { m_pass.flush(); }

private:
    void drawProgressMark(int row, double x);

    Surface &m_out;
    PlotPass m_pass;
    const RecordTable &m_records;
    const PlotGeometry &m_geometry;
    const RecordAxis &m_axis;
    std::array<int, 3> m_show;
    bool m_dated = false; // the span crosses midnight: the marks carry dates
    double m_offset = 0;
    double m_x = 0;
    std::array<bool, 3> m_drew{};
    std::array<Reading, 3> m_readings{};
    std::array<double, 3> m_y{};
};
