// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel/alarm_check.h"
#include "panel/alarm_log.h"

#include <QObject>
#include <QTimer>

#include <array>

struct LiveValues;
class Clock;
class Dialogs;
class AlarmSignal;

// The alarms of the live readings: checked on every live frame, each start and end
// announced (alarm()), sounded until acknowledged, noted on the desktop when one starts,
// and written beside the recording while there is one. The panel shows their text and
// the channels in alarm; the Alarms window edits the limits.
class Alarms : public QObject {
    Q_OBJECT

public:
    static constexpr int RepeatInterval = 10000; // ms between the sounds of an alarm

    Alarms(const LiveValues &live, const Clock &clock, Dialogs &dialogs, AlarmSignal &signal,
           int repeatInterval = RepeatInterval, QObject *parent = nullptr);

    const AlarmLimits &limits() const { return m_check.limits(); }
    void setLimits(const AlarmLimits &limits);

    // One live frame's readings against the limits.
    void check();

    // The recording started or ended: its alarms file follows.
    void beginLog(const QString &recordPath) {
        m_log.logFor(recordPath);
        m_logFailed = false;
    }
    void endLog() { m_log.stopLogging(); }

    // A person has seen the alarm: the sound stops (until the next one starts).
    void acknowledge();
    bool isSounding() const { return m_repeat.isActive(); }

    bool isActive(AlarmChannel channel) const {
        return m_check.state(channel) != AlarmCheck::State::None;
    }
    AlarmCheck::State state(AlarmChannel channel) const { return m_check.state(channel); }
    // The panel's lines: each channel's latest alarm, lasting or cleared, and a note when a
    // unit change switched the limits off. Empty when there was none.
    QString text() const;

signals:
    // Every start and end of an alarm: channel, event, reading, limit and time.
    void alarm(const AlarmEvent &event);
    // The text or the channels in alarm changed.
    void changed();
    // The limits changed (by the user, or switched off by a unit change).
    void limitsChanged();

private:
    void take(const AlarmEvent &event);

    const LiveValues &m_live;
    const Clock &m_clock;
    Dialogs &m_dialogs;
    AlarmSignal &m_signal;
    AlarmCheck m_check;
    AlarmLog m_log;
    QTimer m_repeat;
    std::array<QString, 3> m_lines; // per channel, its latest alarm's line
    QString m_note;                 // the unit change that switched the limits off
    QList<AlarmEvent> m_events;     // one frame's, reused
    bool m_logFailed = false;
};
