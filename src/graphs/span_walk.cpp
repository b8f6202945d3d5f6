// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/span_walk.h"

#include "platform/surface.h"
#include "records/record_table.h"

#include <algorithm>

SpanWalk::SpanWalk(Surface &out, PlotPass::Drawing drawing, const RecordTable &records,
                   const PlotGeometry &geometry, const RecordAxis &axis, std::array<int, 3> show)
    : m_out(out)
    , m_pass(out, drawing)
    , m_records(records)
    , m_geometry(geometry)
    , m_axis(axis)
    , m_show(show)
    , m_dated(differentDays(records.cell(1, axis.FromNo() - 1),
                            records.cell(1, axis.FromNo() - 1 + int(axis.n())))) {}

namespace {

// The date before the time of day, when the text has one.
QStringView datePart(const QString &dateTime) {
    const qsizetype blank = dateTime.trimmed().lastIndexOf(QLatin1Char(' '));
    return blank > 0 ? QStringView(dateTime).first(blank).trimmed() : QStringView();
}

} // namespace

bool SpanWalk::differentDays(const QString &first, const QString &last) {
    return datePart(first) != datePart(last);
}

QString SpanWalk::markLabel(const QString &dateTime, bool withDate) {
    const QString time = dateTime.right(8);
    if (!withDate)
        return time;
    QStringView date = datePart(dateTime);
    // "2026/12/10": the year says nothing the marks beside it would not.
    if (date.size() == 10 && date[4] == QLatin1Char('/'))
        date = date.sliced(5);
    return date.isEmpty() ? time : date.toString() + QLatin1Char(' ') + time;
}

bool SpanWalk::isProgressMark(qint64 k, qint64 n) {
    // In whole numbers: k <= n/4 < k + 1, k <= n/2 < k + 1, k - 1 < 3n/4 <= k.
    return k == 0 || k == n || k == n / 4 || k == n / 2 || k == (3 * n + 3) / 4;
}

void SpanWalk::record(qint64 k) {
    const int row = m_axis.FromNo() - 1 + int(k);
    m_offset = m_axis.offsetOf(k);
    m_x = m_geometry.PlotLeft + m_offset;
    const double x = m_x;
    if (isProgressMark(k, m_axis.n())) {
        m_pass.flush();
        drawProgressMark(row, x);
    }
    for (Channel channel : Channels) {
        const size_t c = size_t(channel);
        m_drew[c] = false;
        if (!m_show[c])
            continue;
        m_readings[c] = Reading::of(m_records.rawCell(recordColumnOf(channel), row));
        if (m_readings[c].kind == Reading::Kind::NoValue) {
            m_show[c] = 0;
            m_pass.endCurve(channel);
            continue;
        }
        m_y[c] = m_geometry.yOf(m_readings[c]);
        m_pass.addPoint(channel, x, m_y[c]);
        m_drew[c] = true;
    }
}

void SpanWalk::drawProgressMark(int row, double x) {
    const float B = m_geometry.PlotBottom;
    m_out.drawLine({x, B}, {x, m_geometry.plotTop() - 10}, GraphColours::Grid, 1,
                   Surface::LineStyle::Dotted);
    const QString label = markLabel(m_records.cell(1, row), m_dated);
    const double w = m_out.textSize(label).width();
    // A label with its date is longer than the room the picture keeps right of the plot for
    // the last time: it ends at the picture's edge instead of beyond it.
    const double shift = m_dated ? std::min(0.0, m_out.size().width() - (x - 5 + w / 2)) : 0.0;
    m_out.fillRect({x + shift - w / 2, B + 10}, {x + shift + w / 2, B + 20}, GraphColours::White);
    m_out.drawText({x + shift - 5 - w / 2, B + 10}, label, GraphColours::Black);
}
