// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarm_check.h"

#include "link/live_values.h"
#include "link/reading.h"
#include "platform/clock.h"

#include <algorithm>

namespace {

AlarmEvent::Kind kindOf(AlarmCheck::State state) {
    switch (state) {
    case AlarmCheck::State::High:
        return AlarmEvent::Kind::High;
    case AlarmCheck::State::Low:
        return AlarmEvent::Kind::Low;
    case AlarmCheck::State::Open:
    case AlarmCheck::State::None:
        break;
    }
    return AlarmEvent::Kind::Open;
}

const QString &readingOf(const LiveValues &live, AlarmChannel channel) {
    switch (channel) {
    case AlarmChannel::T1:
        return live.T1Text;
    case AlarmChannel::T2:
        return live.T2Text;
    case AlarmChannel::Diff:
        break;
    }
    return live.DiffText;
}

} // namespace

bool AlarmCheck::anyActive() const {
    return std::any_of(m_states.begin(), m_states.end(), [](State s) { return s != State::None; });
}

AlarmCheck::State AlarmCheck::next(AlarmChannel channel, QStringView reading) const {
    const State now = m_states[size_t(channel)];
    const ChannelLimits &limits = m_limits.of(channel);
    const Reading r = Reading::of(reading);
    switch (r.kind) {
    case Reading::Kind::NoValue:
        if (m_limits.openAlarm && channel != AlarmChannel::Diff)
            return State::Open;
        return now == State::Open ? State::None : now;
    case Reading::Kind::Over:
        return limits.high.on ? State::High : State::None;
    case Reading::Kind::Under:
        return limits.low.on ? State::Low : State::None;
    case Reading::Kind::Number:
        break;
    }
    const double v = r.value;
    if (limits.high.on) {
        const bool inAlarm =
            now == State::High ? v > limits.high.value - limits.hysteresis : v > limits.high.value;
        if (inAlarm)
            return State::High;
    }
    if (limits.low.on) {
        const bool inAlarm =
            now == State::Low ? v < limits.low.value + limits.hysteresis : v < limits.low.value;
        if (inAlarm)
            return State::Low;
    }
    return State::None;
}

AlarmCheck::Outcome AlarmCheck::check(const LiveValues &live, const Clock &clock,
                                      QList<AlarmEvent> &events) {
    Outcome outcome = Outcome::Unchanged;
    if (live.UnitText.isEmpty())
        return outcome; // no frame yet
    if (m_limits.unit != live.UnitText) {
        // Limits in °C mean nothing to readings in °F: they go off, and say so once.
        if (!m_limits.unit.isEmpty() && m_limits.anyLimitOn()) {
            m_limits.switchLimitsOff();
            outcome = Outcome::SwitchedOffByUnit;
        }
        m_limits.unit = live.UnitText;
    }
    QDateTime now;
    const auto stamp = [&] {
        if (!now.isValid())
            now = clock.now();
        return now;
    };
    for (const AlarmChannel channel : AlarmChannels) {
        const size_t i = size_t(channel);
        const QString &reading = readingOf(live, channel);
        const State from = m_states[i];
        const State to = next(channel, reading);
        if (to == from)
            continue;
        const ChannelLimits &limits = m_limits.of(channel);
        if (from != State::None)
            events.append({channel, AlarmEvent::Kind::Clear, kindOf(from), reading, m_limitOf[i],
                           live.UnitText, stamp()});
        if (to != State::None) {
            m_limitOf[i] = to == State::High  ? limits.high.value
                           : to == State::Low ? limits.low.value
                                              : 0;
            events.append(
                {channel, kindOf(to), kindOf(to), reading, m_limitOf[i], live.UnitText, stamp()});
        }
        m_states[i] = to;
        if (outcome == Outcome::Unchanged)
            outcome = Outcome::Changed;
    }
    return outcome;
}
