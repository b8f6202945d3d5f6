// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// What a span of records holds on one channel: the lowest and highest number with the
// first record where each stands, the sum and count of the numbers (their mean), and how
// many readings were over range ("OL"), under range ("-OL") or of no value ("----"). Built
// from the levels of RecordPyramid: +infinity over, -infinity under, NaN no value.
struct SpanTally {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    int lowAt = -1; // record index from 0; -1 without numbers
    int highAt = -1;
    double sum = 0;
    int numbers = 0;
    int over = 0;
    int under = 0;
    int off = 0;

    bool hasNumbers() const { return numbers > 0; }
    double mean() const { return numbers > 0 ? sum / numbers : 0.0; }

    void add(double level, int record) {
        if (std::isnan(level)) {
            ++off;
        } else if (level == std::numeric_limits<double>::infinity()) {
            ++over;
        } else if (level == -std::numeric_limits<double>::infinity()) {
            ++under;
        } else {
            sum += level;
            ++numbers;
            take(level, record, level, record);
        }
    }
    // Spans may be added in any order: of equal extremes the earlier record is kept.
    void add(const SpanTally &other) {
        sum += other.sum;
        numbers += other.numbers;
        over += other.over;
        under += other.under;
        off += other.off;
        if (other.numbers > 0)
            take(other.low, other.lowAt, other.high, other.highAt);
    }

    bool operator==(const SpanTally &) const = default;

private:
    void take(double newLow, int newLowAt, double newHigh, int newHighAt) {
        if (newLow < low || (newLow == low && newLowAt < lowAt)) {
            low = newLow;
            lowAt = newLowAt;
        }
        if (newHigh > high || (newHigh == high && newHighAt < highAt)) {
            high = newHigh;
            highAt = newHighAt;
        }
    }
};
