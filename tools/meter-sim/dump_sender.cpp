// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dump_sender.h"

#include <algorithm>
#include <array>

namespace metersim {

void DumpSender::start(std::vector<std::uint8_t> dump, TimePoint now,
                       std::optional<std::size_t> stallAfter) {
    m_dump = std::move(dump);
    m_end = std::min(m_dump.size(), stallAfter.value_or(m_dump.size()));
    m_sent = 0;
    m_phase = Phase::Marker;
    m_due = now;
    m_lastProgress = now;
}

void DumpSender::cancel() {
    m_phase = Phase::Idle;
    m_dump.clear();
    m_sent = 0;
    m_end = 0;
}

std::optional<TimePoint> DumpSender::nextDue() const {
    if (m_phase == Phase::Idle)
        return std::nullopt;
    return m_due;
}

DumpSender::Event DumpSender::stalled(TimePoint now) {
    if (now - m_lastProgress > kStallLimit) {
        cancel();
        return Event::Dropped;
    }
    m_due = now + kChunkPeriod;
    return Event::None;
}

DumpSender::Event DumpSender::service(TimePoint now, PtyLine &line) {
    if (m_phase == Phase::Idle || now < m_due)
        return Event::None;

    if (m_phase == Phase::Marker) {
        std::array<std::uint8_t, kMarkerSize> marker{};
        marker.fill(kMarkerByte);
        const PtyLine::WriteResult result = line.write(marker);
        switch (result.status) {
        case PtyLine::WriteStatus::Sent:
        case PtyLine::WriteStatus::Partial:
            m_phase = Phase::Data;
            m_due = now + kPause;
            m_lastProgress = m_due;
            return Event::MarkerSent;
        case PtyLine::WriteStatus::Busy:
            return stalled(now);
        default:
            cancel();
            return Event::Dropped;
        }
    }

    if (m_sent >= m_end) { // a stalled dump: quiet until the stall limit
        if (now - m_lastProgress > kStallLimit) {
            cancel();
            return Event::GaveUpStalled;
        }
        m_due = now + kChunkPeriod;
        return Event::None;
    }
    const std::size_t count = std::min(kChunkSize, m_end - m_sent);
    const PtyLine::WriteResult result =
        line.write(std::span<const std::uint8_t>(m_dump).subspan(m_sent, count));
    switch (result.status) {
    case PtyLine::WriteStatus::Sent:
    case PtyLine::WriteStatus::Partial:
        m_sent += result.written;
        m_lastProgress = now;
        if (m_sent >= m_dump.size()) {
            cancel();
            return Event::Finished;
        }
        // Keep the pace even if this call came a little late.
        m_due = std::max(m_due + kChunkPeriod, now + kChunkPeriod / 2);
        return Event::None;
    case PtyLine::WriteStatus::Busy:
        return stalled(now);
    default:
        cancel();
        return Event::Dropped;
    }
}

} // namespace metersim
