// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/span_tally.h"
#include "link/reading.h"

#include <QtGlobal>

#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

// The lowest and the highest level of each channel over any span of a file plot's records,
// from the extents of blocks of 64 records and of blocks of those blocks (a min/max
// pyramid) built once: a zoomed plot draws at the cost of its width, not of the records
// it spans. A level is a reading's value, +infinity over range ("OL"), -infinity under
// range ("-OL") and NaN switched off ("----"), which no extent counts. Beside the extents it
// keeps, per block of 256 records and pairs of those upward, each channel's SpanTally (sum,
// count and extremes with their records): any span's statistics come from a few blocks.
class RecordTable;

class RecordPyramid {
public:
    // Blocks of 64: a pyramid of about two bytes a record (kept within the files' size
    // beside the table), while a zoom's columns still read fewer than 128 records each at
    // their ends.
    static constexpr int LeafBits = 6;
    static constexpr int LeafRecords = 1 << LeafBits;
    // Tallies are larger than extents: coarser blocks keep them to about a byte a record.
    static constexpr int TallyBits = 8;
    static constexpr int TallyRecords = 1 << TallyBits;

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

    // The tally of a channel's levels over the records [first, last), the same way: whole
    // blocks of 256 from the pyramid, at most 255 records at either end through levelOf.
    template <class LevelOf>
    SpanTally tally(int channel, int first, int last, const LevelOf &levelOf) const {
        SpanTally result;
        first = std::max(first, 0);
        last = std::min(last, m_records);
        const int firstBlock = (first + TallyRecords - 1) >> TallyBits;
        const int lastBlock = last >> TallyBits;
        if (firstBlock >= lastBlock) {
            for (int record = first; record < last; ++record)
                result.add(levelOf(record), record);
            return result;
        }
        for (int record = first; record < firstBlock << TallyBits; ++record)
            result.add(levelOf(record), record);
        addBlocks(result, m_tallies[size_t(channel)], firstBlock, lastBlock);
        for (int record = lastBlock << TallyBits; record < last; ++record)
            result.add(levelOf(record), record);
        return result;
    }

    // The first record at or after from whose level on the channel is switched off; -1
    // when there is none.
    int firstOff(int channel, int from) const;

private:
    // Each level grows in chunks, never to twice what it holds as a vector would.
    template <class Block> using Levels_ = std::vector<std::deque<Block>>;

    void addBlocks(Extent &result, int channel, int first, int last) const;
    // Bottom up: an odd block at either end is taken alone, the pairs between from the
    // level above.
    template <class Result, class Block>
    static void addBlocks(Result &result, const Levels_<Block> &levels, int first, int last) {
        for (size_t level = 0; first < last && level < levels.size(); ++level) {
            const std::deque<Block> &blocks = levels[level];
            if (first & 1)
                result.add(blocks[size_t(first++)]);
            if (last & 1)
                result.add(blocks[size_t(--last)]);
            first >>= 1;
            last >>= 1;
        }
    }
    // A block that completes a pair makes the pair's block one level up.
    template <class Block>
    static void push(Levels_<Block> &levels, size_t level, const Block &block) {
        if (levels.size() == level)
            levels.emplace_back();
        std::deque<Block> &blocks = levels[level];
        blocks.push_back(block);
        if (blocks.size() % 2 == 0) {
            Block pair = blocks[blocks.size() - 2];
            pair.add(block);
            push(levels, level + 1, pair);
        }
    }

    int m_records = 0;
    // Per channel: level 0 holds the whole blocks of 64 records, each level above the
    // extents of pairs of the one below; a block still filling is kept aside.
    std::array<Levels_<Extent>, 3> m_levels;
    std::array<Extent, 3> m_filling;
    std::array<Levels_<SpanTally>, 3> m_tallies;
    std::array<SpanTally, 3> m_tallyFilling;
    std::array<std::vector<int>, 3> m_off;
};
