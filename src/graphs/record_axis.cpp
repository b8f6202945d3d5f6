// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/record_axis.h"

#include "graphs/range_entry.h"

#include <algorithm>
#include <cmath>

RecordAxis::RecordAxis(const PlotGeometry &geometry, int fromNo, int toNo)
    : m_left(geometry.PlotLeft)
    , m_width(geometry.PlotWidth)
    , m_fromNo(fromNo)
    , m_n(qint64(toNo) - fromNo) {}

float RecordAxis::step() const {
    return m_n > 0 ? float(m_width / double(m_n)) : 0.0f;
}

qint64 RecordAxis::nearest(double x) const {
    if (m_n <= 0)
        return 0;
    const double k = RangeEntry::roundHalfEven((x - m_left) * double(m_n) / m_width);
    return qint64(std::clamp(k, 0.0, double(m_n)));
}

qint64 RecordAxis::lastInColumn(qint64 k, qint64 limit) const {
    const double column = std::floor(xOf(k));
    // A first guess from the column's right edge, then the floors of the records' own x
    // decide, as the drawing sees them.
    qint64 last =
        std::clamp(qint64(std::floor((column + 1 - m_left) * double(m_n) / m_width)), k, limit - 1);
    while (last > k && std::floor(xOf(last)) > column)
        --last;
    while (last + 1 < limit && std::floor(xOf(last + 1)) == column)
        ++last;
    return last;
}
