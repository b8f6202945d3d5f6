// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/sample.h"

#include <QList>

class Clock;

// The sampling timer's work: every SamplingTime ticks one sample of the live readings,
// stamped with the PC's time, goes to the subscribed sinks (the live list, the recording).
class Sampler {
public:
    static constexpr int MaxSamplingTime = 86400;

    Sampler(const LiveValues &live, const Clock &clock);

    // Sinks take each sample in the order they subscribed.
    void subscribe(SampleSink *sink) { m_sinks.append(sink); }

    // One tick of Timer2.
    void tick();
    // The "Sample" command: the next tick samples, then every seconds-th tick.
    void setSamplingTime(int seconds);

    int SamplingTime() const { return m_samplingTime; }
    // Ticks since the last sample; 0 before the first.
    int SampleTick() const { return m_sampleTick; }

private:
    int m_samplingTime = 1;
    int m_sampleTick = 0;
    const LiveValues &m_live;
    const Clock &m_clock;
    QList<SampleSink *> m_sinks;
};
