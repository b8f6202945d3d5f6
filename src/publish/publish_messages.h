// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/alarm_event.h"
#include "panel/sample.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The messages published for a meter: their topics under thermodesk/<name>/ and their JSON.
// A reading that is a number goes out as a JSON number; "OL", "-OL", "----" (or any other
// text) as null with the text beside it in "<channel>_text".
namespace PublishMessages {

// The channels, as fields and as sensors: "T1", "T2", "T1-T2".
const QStringList &channels();

QString topic(const QString &name, const char *leaf); // "thermodesk/<name>/<leaf>"
QString discoveryTopic(const QString &name, const QString &channel);

// A meter's name fit for a topic: letters, digits, '-' and '_'.
bool isValidName(const QString &name);
// The default name: the host's and the port's, "labpc-COM1", other characters made '_'.
QString defaultName(const QString &hostName, const QString &portName);

// "2026-12-10T14:03:05+01:00" of a sample's "yyyy/MM/dd HH:mm:ss" in local time.
QString isoTime(const QString &stamp);
QString isoTime(const QDateTime &time);

QByteArray sample(const Sample &sample, qint64 record);
QByteArray live(const LiveValues &live, const QDateTime &time);
// An alarm's start or end: its time, channel, event ("high", "low", "open", "clear"), the
// alarm it ends (for "clear"), reading, limit (null for an open thermocouple), unit and the
// panel's text of it.
QByteArray alarm(const AlarmEvent &event);
// A sensor of one channel, its state the "live" topic's field.
QByteArray discovery(const QString &name, const QString &channel, const QString &unit);

} // namespace PublishMessages
