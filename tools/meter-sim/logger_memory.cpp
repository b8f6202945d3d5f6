// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger_memory.h"

#include "frame_encoder.h"
#include "reading_word.h"

#include <cmath>

namespace metersim {

namespace {

constexpr std::size_t kMaxSets = 255;      // the set count is one byte
constexpr std::size_t kMaxRecords = 65535; // the record count is one word
constexpr std::size_t kDumpHeaderSize = 3;
constexpr std::size_t kSetHeaderSize = 12;
constexpr std::size_t kRecordSize = 4;

void putWord(std::vector<std::uint8_t> &bytes, unsigned word) {
    bytes.push_back(static_cast<std::uint8_t>((word >> 8) & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
}

LoggedSet makeSet(int month, int day, int hour, int minute, int second, bool fahrenheit, bool typeJ,
                  int samplingSeconds) {
    LoggedSet set;
    set.year = 2026;
    set.month = month;
    set.day = day;
    set.hour = hour;
    set.minute = minute;
    set.second = second;
    set.fahrenheit = fahrenheit;
    set.typeJ = typeJ;
    set.samplingSeconds = samplingSeconds;
    return set;
}

} // namespace

LoggerMemory LoggerMemory::withSampleSets() {
    LoggerMemory memory;

    // A short warm-up on the bench, °C, type K.
    LoggedSet bench = makeSet(3, 14, 9, 30, 0, false, false, 2);
    for (int i = 0; i < 5; ++i)
        bench.records.push_back({encodeReading(24.0 + 0.3 * i), encodeReading(21.5 + 0.1 * i)});
    memory.addSet(bench);

    // Cooling down next to a freezer, °C, type K: negative T2 and one record with T2 open.
    LoggedSet freezer = makeSet(3, 14, 14, 5, 30, false, false, 10);
    for (int i = 0; i < 12; ++i) {
        const std::uint16_t t2 = i == 7 ? kWordNoValue : encodeReading(-18.0 + 0.5 * i);
        freezer.records.push_back({encodeReading(80.0 - 2.5 * i), t2});
    }
    memory.addSet(freezer);

    // An hour at a kiln, °F, type J: T2 at 1000 °F and more is logged in whole degrees.
    LoggedSet kiln = makeSet(3, 15, 8, 0, 0, true, true, 60);
    for (int i = 0; i < 60; ++i) {
        const double room = 68.0 + 4.0 * std::sin(i / 10.0);
        kiln.records.push_back({encodeReading(room), encodeReading(1010.0 + 5.0 * i)});
    }
    memory.addSet(kiln);

    return memory;
}

LoggerMemory LoggerMemory::full() {
    LoggerMemory memory;

    // Across a new year, °C, type K, T1 over range once and T2 open once.
    LoggedSet newYear = makeSet(12, 31, 23, 50, 0, false, false, 60);
    newYear.year = 2025;
    for (int i = 0; i < 20; ++i) {
        const std::uint16_t t1 = i == 12 ? kWordOverRange : encodeReading(21.0 + 0.2 * i);
        const std::uint16_t t2 = i == 15 ? kWordNoValue : encodeReading(19.5 - 0.1 * i);
        newYear.records.push_back({t1, t2});
    }
    memory.addSet(newYear);

    // An oven warming up, °F, type K.
    LoggedSet oven = makeSet(2, 28, 11, 0, 0, true, false, 30);
    for (int i = 0; i < 45; ++i)
        oven.records.push_back({encodeReading(70.0 + 8.5 * i), encodeReading(68.0 + 0.1 * i)});
    memory.addSet(oven);

    // A cold room, °C, type J, below zero.
    LoggedSet coldRoom = makeSet(3, 1, 6, 15, 45, false, true, 5);
    for (int i = 0; i < 120; ++i) {
        const double wave = std::sin(i / 9.0);
        coldRoom.records.push_back({encodeReading(-12.0 + 3.0 * wave), encodeReading(-8.5 - wave)});
    }
    memory.addSet(coldRoom);

    // Almost a day of a slow process every 10 s: the rest of the memory, °C, type K.
    const std::size_t left =
        static_cast<std::size_t>(kCapacity - kSizeOverhead) - memory.dumpLength() - kSetHeaderSize;
    LoggedSet process = makeSet(3, 2, 0, 0, 0, false, false, 10);
    process.records.reserve(left / kRecordSize);
    for (std::size_t i = 0; i < left / kRecordSize; ++i) {
        const double t = static_cast<double>(i);
        const double t1 = 150.0 + 60.0 * std::sin(t / 700.0) + 4.0 * std::sin(t / 23.0);
        const double t2 = 40.0 + 15.0 * std::cos(t / 1100.0);
        process.records.push_back({encodeReading(t1), encodeReading(t2)});
    }
    memory.addSet(process);
    return memory;
}

void LoggerMemory::addSet(LoggedSet set) {
    if (m_sets.size() >= kMaxSets)
        return;
    if (set.records.size() > kMaxRecords)
        set.records.resize(kMaxRecords);
    // The size word must stay below 0xFFFF, which marks an empty memory.
    const std::size_t length = dumpLength() + kSetHeaderSize + kRecordSize * set.records.size();
    if (length + kSizeOverhead >= 0xFFFF)
        return;
    m_sets.push_back(std::move(set));
}

void LoggerMemory::clear() {
    m_sets.clear();
}

std::size_t LoggerMemory::dumpLength() const {
    std::size_t length = kDumpHeaderSize;
    for (const LoggedSet &set : m_sets)
        length += kSetHeaderSize + kRecordSize * set.records.size();
    return length;
}

std::vector<std::uint8_t> LoggerMemory::dumpBytes() const {
    // An empty memory: no sets and a size word of all ones, nothing after it.
    if (m_sets.empty())
        return {0x00, 0xFF, 0xFF};

    std::vector<std::uint8_t> bytes;
    bytes.reserve(dumpLength());
    bytes.push_back(static_cast<std::uint8_t>(m_sets.size()));
    putWord(bytes, 0); // size word, filled in below
    for (const LoggedSet &set : m_sets) {
        bytes.push_back(FrameEncoder::toBcd(set.year % 100));
        bytes.push_back(FrameEncoder::toBcd(set.month));
        bytes.push_back(FrameEncoder::toBcd(set.day));
        bytes.push_back(FrameEncoder::toBcd(set.hour));
        bytes.push_back(FrameEncoder::toBcd(set.minute));
        bytes.push_back(FrameEncoder::toBcd(set.second));
        bytes.push_back(FrameEncoder::statusA(set.fahrenheit, set.typeJ));
        bytes.push_back(0);
        putWord(bytes, static_cast<unsigned>(set.samplingSeconds));
        putWord(bytes, static_cast<unsigned>(set.records.size()));
        for (const LoggedRecord &record : set.records) {
            putWord(bytes, record.t1);
            putWord(bytes, record.t2);
        }
    }
    const auto size = static_cast<unsigned>(bytes.size() + kSizeOverhead);
    bytes[1] = static_cast<std::uint8_t>((size >> 8) & 0xFF);
    bytes[2] = static_cast<std::uint8_t>(size & 0xFF);
    return bytes;
}

} // namespace metersim
