// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

// The records a file plot shows: FromNo to ToNo of the 1 to N its file holds, set by Range
// OK and by a zoom through the same checks; set(1, records()) is the way back to all.
class PlotSpan {
public:
    // All the records; a file of none counts as one.
    explicit PlotSpan(int records);

    int FromNo() const { return m_fromNo; }
    int ToNo() const { return m_toNo; }
    int records() const { return m_records; }
    bool isWhole() const { return m_fromNo == 1 && m_toNo == m_records; }

    // From and To when both are numbers and 1 <= from < to <= N, each rounded to the
    // nearest whole number (halves to the even one); nothing changes otherwise.
    bool set(std::optional<double> from, std::optional<double> to);
    // What a refused span is told: "1 <= No.s <= N, try again!".
    QString refusal() const;

private:
    int m_records = 1;
    int m_fromNo = 1;
    int m_toNo = 1;
};
