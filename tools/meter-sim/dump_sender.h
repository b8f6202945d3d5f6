// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "pty_line.h"
#include "sim_clock.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace metersim {

/// Sends a logger dump: the marker, a pause for the PC to get ready, then the dump paced like
/// a 9600-baud line.
class DumpSender {
public:
    enum class Event { None, MarkerSent, Finished, Dropped, GaveUpStalled };

    static constexpr std::size_t kMarkerSize = 10;
    static constexpr std::uint8_t kMarkerByte = 0xAA;
    // The PC waits 2 s after the marker before it reads; a little more keeps the dump whole.
    static constexpr Millis kPause{2500};
    // 96 bytes every 100 ms is about what 9600 baud carries.
    static constexpr std::size_t kChunkSize = 96;
    static constexpr Millis kChunkPeriod{100};
    // A program that stops reading for this long loses the dump.
    static constexpr Millis kStallLimit{10000};

    // With `stallAfter`, the dump stops after that many bytes, as if the cable broke: the
    // line stays quiet for kStallLimit, then the sender gives up.
    void start(std::vector<std::uint8_t> dump, TimePoint now,
               std::optional<std::size_t> stallAfter = std::nullopt);
    void cancel();
    bool isActive() const { return m_phase != Phase::Idle; }

    std::optional<TimePoint> nextDue() const;
    // Sends what is due at `now`.
    Event service(TimePoint now, PtyLine &line);

private:
    enum class Phase { Idle, Marker, Data };

    Event stalled(TimePoint now);

    Phase m_phase = Phase::Idle;
    std::vector<std::uint8_t> m_dump;
    std::size_t m_sent = 0;
    std::size_t m_end = 0; // where the dump stops: its size, or earlier when it stalls
    TimePoint m_due{};
    TimePoint m_lastProgress{};
};

} // namespace metersim
