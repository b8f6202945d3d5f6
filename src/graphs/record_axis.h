// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/plot_geometry.h"

#include <QtGlobal>

// The records FromNo to ToNo of a file plot along its width, and back: record k of the span
// (k = 0 to n = ToNo - FromNo) at k·PlotWidth/n from the plot's left edge, worked out from k
// itself rather than by adding steps up (a float sum of 345,600 steps drifts pixels away
// from the right edge, where the last record belongs); a single record stands on the axis.
class RecordAxis {
public:
    RecordAxis(const PlotGeometry &geometry, int fromNo, int toNo);

    int FromNo() const { return m_fromNo; }
    qint64 n() const { return m_n; }
    // The advance per record as XStep keeps it: PlotWidth / n, 0 for a single record.
    float step() const;

    // Record k's distance from the left edge, and its x.
    double offsetOf(qint64 k) const { return m_n > 0 ? double(k) * m_width / double(m_n) : 0.0; }
    double xOf(qint64 k) const { return m_left + offsetOf(k); }
    // The k of the record nearest x, within the span (halves to the even neighbour).
    qint64 nearest(double x) const;
    // The record number nearest x.
    int recordAt(double x) const { return m_fromNo + int(nearest(x)); }
    // The last k, from k on and before limit, whose record lies in the same pixel column as
    // record k: the records that share one column.
    qint64 lastInColumn(qint64 k, qint64 limit) const;

private:
    double m_left = 0;
    double m_width = 0;
    int m_fromNo = 1;
    qint64 m_n = 0;
};
