// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/span_walk.h"

#include "platform/surface.h"
#include "records/record_table.h"

SpanWalk::SpanWalk(Surface &out, PlotPass::Drawing drawing, const RecordTable &records,
                   const PlotGeometry &geometry, const RecordAxis &axis, std::array<int, 3> show)
    : m_out(out)
    , m_pass(out, drawing)
    , m_records(records)
    , m_geometry(geometry)
    , m_axis(axis)
    , m_show(show) {}

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
    const QString label = m_records.cell(1, row).right(8);
    const double w = m_out.textSize(label).width();
    m_out.fillRect({x - w / 2, B + 10}, {x + w / 2, B + 20}, GraphColours::White);
    m_out.drawText({x - 5 - w / 2, B + 10}, label, GraphColours::Black);
}
