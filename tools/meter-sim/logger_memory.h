// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace metersim {

/// One logged record: the T1 and T2 reading words.
struct LoggedRecord {
    std::uint16_t t1 = 0;
    std::uint16_t t2 = 0;
};

/// One set of records, logged from a start time at a fixed sampling time.
struct LoggedSet {
    int year = 2026; // shown as two BCD digits
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool fahrenheit = false;
    bool typeJ = false;
    int samplingSeconds = 1;
    std::vector<LoggedRecord> records;
};

/// The meter's data logger memory: the logged sets and the dump that carries them to the PC.
class LoggerMemory {
public:
    // The three sets the sim starts with (5, 12 and 60 records).
    static LoggerMemory withSampleSets();
    // A full memory: three short sets, then one long set with as many records as still fit
    // the 32,768 bytes of the meter's memory (7,865 records), readings that vary.
    static LoggerMemory full();

    // The meter's memory: the size word of a full memory comes as close to it as whole
    // records allow.
    static constexpr int kCapacity = 32768;

    // The PC's size word counts this much more than the bytes it receives.
    static constexpr int kSizeOverhead = 516;

    // Sets that would not fit the memory (255 sets, a 16-bit size word) are left out.
    void addSet(LoggedSet set);
    void clear();
    bool isEmpty() const { return m_sets.empty(); }
    std::size_t setCount() const { return m_sets.size(); }

    // The dump as sent after the marker: set count, size word, then the sets back to back.
    std::vector<std::uint8_t> dumpBytes() const;

private:
    std::size_t dumpLength() const;

    std::vector<LoggedSet> m_sets;
};

} // namespace metersim
