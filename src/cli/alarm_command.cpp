// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/alarm_command.h"

#include "panel/alarm_event.h"

#include <QProcess>
#include <QProcessEnvironment>

AlarmCommand::AlarmCommand(const QString &command)
    : m_words(QProcess::splitCommand(command)) {}

bool AlarmCommand::start(const AlarmEvent &event, QString *error) const {
    if (m_words.isEmpty())
        return true;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("THERMODESK_CHANNEL"), alarmChannelName(event.channel));
    environment.insert(QStringLiteral("THERMODESK_EVENT"), event.eventName());
    environment.insert(QStringLiteral("THERMODESK_READING"), event.reading.trimmed());
    environment.insert(QStringLiteral("THERMODESK_LIMIT"), event.limitText());
    QProcess process;
    process.setProgram(m_words.first());
    process.setArguments(m_words.mid(1));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}
