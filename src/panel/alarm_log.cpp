// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarm_log.h"

#include "panel/alarm_event.h"
#include "records/csv_format.h"

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

} // namespace

QString AlarmLog::pathFor(const QString &recordPath) {
    QString path = recordPath;
    if (path.endsWith(QLatin1String(".rdg"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QLatin1String(".alarms.csv");
}

QByteArray AlarmLog::headerLine() {
    return QByteArrayLiteral("time,channel,event,reading,limit") + LineEnd;
}

QByteArray AlarmLog::line(const AlarmEvent &event) {
    QByteArray csv = event.time.toString(Qt::ISODate).toLatin1();
    csv.append(',');
    CsvFormat::appendTextCell(csv, alarmChannelName(event.channel).toUtf8());
    csv.append(',');
    csv.append(event.eventName().toLatin1());
    csv.append(',');
    CsvFormat::appendReadingCell(csv, event.reading);
    csv.append(',');
    csv.append(event.limitText().toLatin1());
    csv.append(LineEnd);
    return csv;
}

void AlarmLog::logFor(const QString &recordPath) {
    stopLogging();
    m_path = pathFor(recordPath);
}

void AlarmLog::stopLogging() {
    if (m_file.isOpen())
        m_file.close();
    m_path.clear();
}

bool AlarmLog::append(const AlarmEvent &event) {
    if (m_path.isEmpty())
        return true;
    if (!m_file.isOpen()) {
        // Made at the first alarm; a file that could not be made is tried again at the next.
        if (!m_file.create(m_path) || !m_file.write(headerLine())) {
            m_error = m_file.errorString();
            m_file.close();
            return false;
        }
    }
    if (!m_file.write(line(event))) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}
