// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/plot_span.h"

#include "graphs/range_entry.h"

#include <algorithm>

PlotSpan::PlotSpan(int records)
    : m_records(std::max(1, records))
    , m_toNo(m_records) {}

bool PlotSpan::set(std::optional<double> from, std::optional<double> to) {
    if (!from || !to || *to > double(m_records) || *from < 1 || *to <= *from)
        return false;
    m_fromNo = int(RangeEntry::roundHalfEven(*from));
    m_toNo = int(RangeEntry::roundHalfEven(*to));
    return true;
}

QString PlotSpan::refusal() const {
    return QStringLiteral("1 <= No.s <= %1, try again!").arg(m_records);
}
