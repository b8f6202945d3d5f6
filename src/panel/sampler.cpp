// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/sampler.h"

#include "platform/clock.h"
#include "records/record_row.h"

Sampler::Sampler(const LiveValues &live, const Clock &clock)
    : m_live(live)
    , m_clock(clock) {}

void Sampler::tick() {
    if (m_sampleTick != 0 && m_sampleTick < m_samplingTime) {
        ++m_sampleTick;
        return;
    }
    const Sample sample{recordTimeStamp(m_clock.now()),
                        m_live.T1Text,
                        m_live.T2Text,
                        m_live.DiffText,
                        m_live.TypeText,
                        m_live.UnitText};
    for (SampleSink *sink : std::as_const(m_sinks)) {
        // A sink that saw the unit change ends the tick: the next one samples again.
        if (!sink->takeSample(sample))
            return;
    }
    m_sampleTick = 1;
}

void Sampler::setSamplingTime(int seconds) {
    m_samplingTime = seconds;
    m_sampleTick = 0;
}
