// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/reading.h"

#include <QtGlobal>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

// The lowest and the highest level of each channel over any span of a file plot's records,
// from the extents of blocks of 16 records and of blocks of those blocks (a min/max
// pyramid) built once: a zoomed plot draws at the cost of its width, not of the records
// it spans. A level is a reading's value, +infinity over range ("OL"), -infinity under
// range ("-OL") and NaN switched off ("----"), which no extent counts.
class RecordTable;

class RecordPyramid {
public:
    static constexpr int LeafBits = 4;
    static constexpr int LeafRecords = 1 << LeafBits;

    using Levels = std::array<double, 3>;

    struct Extent {
        double low = std::numeric_limits<double>::infinity();
        double high = -std::numeric_limits<double>::infinity();

        bool isEmpty() const { return low > high; }
        void add(double level) {
            // Comparisons with NaN are false: a switched-off record counts for nothing.
            if (level < low)
                low = level;
            if (level > high)
                high = level;
        }
        void add(const Extent &other) {
            add(other.low);
            add(other.high);
        }
    };

    // The pyramid of all the records of a table.
    static RecordPyramid of(const RecordTable &records);
    // A reading's level, and the reading back from a level, at the same height.
    static double levelOf(const Reading &reading) {
        switch (reading.kind) {
        case Reading::Kind::NoValue:
            return std::numeric_limits<double>::quiet_NaN();
        case Reading::Kind::Over:
            return std::numeric_limits<double>::infinity();
        case Reading::Kind::Under:
            return -std::numeric_limits<double>::infinity();
        case Reading::Kind::Number:
            break;
        }
        return reading.value;
    }
    static Reading readingOf(double level) {
        if (level == std::numeric_limits<double>::infinity())
            return {Reading::Kind::Over, 0};
        if (level == -std::numeric_limits<double>::infinity())
            return {Reading::Kind::Under, 0};
        return {Reading::Kind::Number, level};
    }

    void clear();
    // The levels of the next record, records counted from 0 in file order.
    void append(const Levels &levels);
    int records() const { return m_records; }
    // Bytes held, for the benchmarks.
    qsizetype memoryBytes() const;

    // The extent of a channel's levels over the records [first, last): whole blocks from
    // the pyramid, the records of blocks it covers only in part through levelOf(record).
    template <class LevelOf>
    Extent extent(int channel, int first, int last, const LevelOf &levelOf) const {
        Extent result;
        first = std::max(first, 0);
        last = std::min(last, m_records);
        const int firstLeaf = (first + LeafRecords - 1) >> LeafBits;
        const int lastLeaf = last >> LeafBits; // whole blocks: [firstLeaf, lastLeaf)
        if (firstLeaf >= lastLeaf) {
            for (int record = first; record < last; ++record)
                result.add(levelOf(record));
            return result;
        }
        for (int record = first; record < firstLeaf << LeafBits; ++record)
            result.add(levelOf(record));
        addBlocks(result, channel, firstLeaf, lastLeaf);
        for (int record = lastLeaf << LeafBits; record < last; ++record)
            result.add(levelOf(record));
        return result;
    }

    // The first record at or after from whose level on the channel is switched off; -1
    // when there is none.
    int firstOff(int channel, int from) const;

private:
    void addBlocks(Extent &result, int channel, int first, int last) const;
    void push(int channel, size_t level, const Extent &extent);

    int m_records = 0;
    // Per channel: level 0 holds the whole blocks of 16 records, each level above the
    // extents of pairs of the one below; a block still filling is kept aside.
    std::array<std::vector<std::vector<Extent>>, 3> m_levels;
    std::array<Extent, 3> m_filling;
    std::array<std::vector<int>, 3> m_off;
};
