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
        m_tallies[channel].clear();
        m_tallyFilling[channel] = SpanTally();
    }
}

void RecordPyramid::append(const Levels &levels) {
    for (int channel = 0; channel < 3; ++channel) {
        const double level = levels[channel];
        if (std::isnan(level))
            m_off[channel].push_back(m_records);
        m_filling[channel].add(level);
        m_tallyFilling[channel].add(level, m_records);
    }
    ++m_records;
    if ((m_records & (TallyRecords - 1)) == 0) {
        for (int channel = 0; channel < 3; ++channel) {
            push(m_tallies[channel], 0, m_tallyFilling[channel]);
            m_tallyFilling[channel] = SpanTally();
        }
    }
    if ((m_records & (LeafRecords - 1)) != 0)
        return;
    for (int channel = 0; channel < 3; ++channel) {
        push(m_levels[channel], 0, m_filling[channel]);
        m_filling[channel] = Extent();
    }
}

void RecordPyramid::addBlocks(Extent &result, int channel, int first, int last) const {
    addBlocks(result, m_levels[size_t(channel)], first, last);
}

int RecordPyramid::firstOff(int channel, int from) const {
    const std::vector<int> &off = m_off[channel];
    const auto found = std::lower_bound(off.begin(), off.end(), from);
    return found == off.end() ? -1 : *found;
}

qsizetype RecordPyramid::memoryBytes() const {
    qsizetype bytes = sizeof(*this);
    for (int channel = 0; channel < 3; ++channel) {
        // A level's chunks hold at most one chunk unused.
        constexpr qsizetype Chunk = 512;
        for (const std::deque<Extent> &blocks : m_levels[channel])
            bytes += qsizetype(blocks.size() * sizeof(Extent)) + Chunk;
        for (const std::deque<SpanTally> &blocks : m_tallies[channel])
            bytes += qsizetype(blocks.size() * sizeof(SpanTally)) + Chunk;
        bytes += qsizetype(m_off[channel].capacity() * sizeof(int));
    }
    return bytes;
}
