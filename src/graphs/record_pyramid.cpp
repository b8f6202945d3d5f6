// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/record_pyramid.h"

#include "graphs/graph_state.h"
#include "records/record_table.h"

#include <algorithm>

RecordPyramid RecordPyramid::of(const RecordTable &records) {
    RecordPyramid pyramid;
    for (int row = 0; row < records.rowCount(); ++row) {
        Levels levels{};
        for (Channel channel : Channels) {
            levels[size_t(channel)] =
                levelOf(Reading::of(records.rawCell(recordColumnOf(channel), row)));
        }
        pyramid.append(levels);
    }
    return pyramid;
}

void RecordPyramid::clear() {
    m_records = 0;
    for (int channel = 0; channel < 3; ++channel) {
        m_levels[channel].clear();
        m_filling[channel] = Extent();
        m_off[channel].clear();
    }
}

void RecordPyramid::append(const Levels &levels) {
    for (int channel = 0; channel < 3; ++channel) {
        const double level = levels[channel];
        if (std::isnan(level))
            m_off[channel].push_back(m_records);
        m_filling[channel].add(level);
    }
    ++m_records;
    if ((m_records & (LeafRecords - 1)) != 0)
        return;
    for (int channel = 0; channel < 3; ++channel) {
        push(channel, 0, m_filling[channel]);
        m_filling[channel] = Extent();
    }
}

void RecordPyramid::push(int channel, size_t level, const Extent &extent) {
    std::vector<std::vector<Extent>> &levels = m_levels[channel];
    if (levels.size() == level)
        levels.emplace_back();
    std::vector<Extent> &blocks = levels[level];
    blocks.push_back(extent);
    // A block that completes a pair makes the pair's block one level up.
    if (blocks.size() % 2 == 0) {
        Extent pair = blocks[blocks.size() - 2];
        pair.add(extent);
        push(channel, level + 1, pair);
    }
}

void RecordPyramid::addBlocks(Extent &result, int channel, int first, int last) const {
    const std::vector<std::vector<Extent>> &levels = m_levels[channel];
    // Bottom up: an odd block at either end is taken alone, the pairs between from the
    // level above.
    for (size_t level = 0; first < last && level < levels.size(); ++level) {
        const std::vector<Extent> &blocks = levels[level];
        if (first & 1)
            result.add(blocks[size_t(first++)]);
        if (last & 1)
            result.add(blocks[size_t(--last)]);
        first >>= 1;
        last >>= 1;
    }
}

int RecordPyramid::firstOff(int channel, int from) const {
    const std::vector<int> &off = m_off[channel];
    const auto found = std::lower_bound(off.begin(), off.end(), from);
    return found == off.end() ? -1 : *found;
}

qsizetype RecordPyramid::memoryBytes() const {
    qsizetype bytes = sizeof(*this);
    for (int channel = 0; channel < 3; ++channel) {
        for (const std::vector<Extent> &blocks : m_levels[channel])
            bytes += qsizetype(blocks.capacity() * sizeof(Extent));
        bytes += qsizetype(m_off[channel].capacity() * sizeof(int));
    }
    return bytes;
}
