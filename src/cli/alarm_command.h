// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

struct AlarmEvent;

// The --on-alarm command: started at every start and end of an alarm, as a program with
// its arguments (never through a shell), with the alarm in its environment
// (THERMODESK_CHANNEL, THERMODESK_EVENT, THERMODESK_READING, THERMODESK_LIMIT), and left
// to run on its own: the recording never waits for it.
class AlarmCommand {
public:
    explicit AlarmCommand(const QString &command);

    // False, with the reason in error, when it could not be started.
    bool start(const AlarmEvent &event, QString *error) const;

private:
    QStringList m_words;
};
