// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/file_output.h"

#include <QString>

struct AlarmEvent;

// The alarms file beside a recording: "run.rdg" gets "run.alarms.csv", a CSV line for
// every start and end of an alarm (time, channel, event, reading, limit), each written
// whole and on the disk at once, as the recording writes its records. The file is made at
// the recording's first alarm, so a recording without one leaves none.
class AlarmLog {
public:
    // The alarms file of a record file: ".rdg" becomes ".alarms.csv"; another name gets
    // ".alarms.csv" added.
    static QString pathFor(const QString &recordPath);
    static QByteArray headerLine();
    static QByteArray line(const AlarmEvent &event);

    // From now on, events go to the alarms file of this recording.
    void logFor(const QString &recordPath);
    void stopLogging();
    bool isLogging() const { return !m_path.isEmpty(); }
    QString path() const { return m_path; }

    // False when the line could not be written (see errorString()); once a line failed,
    // the file keeps what it had and takes no more.
    bool append(const AlarmEvent &event);
    QString errorString() const { return m_error; }

private:
    FileOutput m_file{FileOutput::Mode::InPlace};
    QString m_path;
    QString m_error;
};
