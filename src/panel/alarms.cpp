// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarms.h"

#include "link/live_values.h"
#include "platform/alarm_signal.h"
#include "platform/dialogs.h"

#include <QDir>

Alarms::Alarms(const LiveValues &live, const Clock &clock, Dialogs &dialogs, AlarmSignal &signal,
               int repeatInterval, QObject *parent)
    : QObject(parent)
    , m_live(live)
    , m_clock(clock)
    , m_dialogs(dialogs)
    , m_signal(signal) {
    m_repeat.setInterval(repeatInterval);
    connect(&m_repeat, &QTimer::timeout, this, [this] { m_signal.sound(); });
}

void Alarms::setLimits(const AlarmLimits &limits) {
    if (limits == m_check.limits())
        return;
    m_check.setLimits(limits);
    m_note.clear();
    emit limitsChanged();
    emit changed();
}

void Alarms::check() {
    m_events.clear();
    const AlarmCheck::Outcome outcome = m_check.check(m_live, m_clock, m_events);
    if (outcome == AlarmCheck::Outcome::Unchanged)
        return;
    if (outcome == AlarmCheck::Outcome::SwitchedOffByUnit)
        m_note = QStringLiteral("Alarm limits switched off: the meter now reads in %1")
                     .arg(m_live.UnitText);
    for (const AlarmEvent &event : std::as_const(m_events))
        take(event);
    if (outcome == AlarmCheck::Outcome::SwitchedOffByUnit)
        emit limitsChanged();
    emit changed();
}

void Alarms::take(const AlarmEvent &event) {
    m_lines[size_t(event.channel)] = event.text();
    if (event.kind != AlarmEvent::Kind::Clear) {
        m_signal.sound();
        m_repeat.start();
        m_signal.notify(QStringLiteral("ThermoDesk alarm"), event.text());
    }
    if (m_log.isLogging() && !m_log.append(event) && !m_logFailed) {
        // Told once per recording; the recording itself goes on.
        m_logFailed = true;
        m_dialogs.message(QStringLiteral("Cannot write the alarms to %1: %2")
                              .arg(QDir::toNativeSeparators(m_log.path()), m_log.errorString()),
                          Dialogs::Icon::Critical);
    }
    emit alarm(event);
}

void Alarms::acknowledge() {
    m_repeat.stop();
}

QString Alarms::text() const {
    QStringList lines;
    for (const QString &line : m_lines) {
        if (!line.isEmpty())
            lines << line;
    }
    if (!m_note.isEmpty())
        lines << m_note;
    return lines.join(QLatin1Char('\n'));
}
