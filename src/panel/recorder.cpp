// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/recorder.h"

#include "platform/dialogs.h"
#include "records/file_names.h"

#include <QDir>

namespace {

QString fileProblem(const QString &action, const QString &fileName, const QString &reason) {
    return QStringLiteral("%1 \"%2\":\n%3").arg(action, QDir::toNativeSeparators(fileName), reason);
}

} // namespace

Recorder::Recorder(const LiveValues &live, Dialogs &dialogs, int recordsPerFile, QObject *parent)
    : QObject(parent)
    , m_live(live)
    , m_dialogs(dialogs)
    , m_recordsPerFile(recordsPerFile) {}

bool Recorder::startRecording(const QString &path) {
    m_recordType = m_live.TypeText;
    m_recordUnit = m_live.UnitText;
    m_chosenFileName = path;
    if (!m_file.create(path) || !m_file.writeHeading(m_recordType, m_recordUnit)) {
        const QString reason = m_file.errorString();
        m_file.close();
        m_dialogs.message(
            fileProblem(QStringLiteral("Recording cannot start: cannot write"), path, reason),
            Dialogs::Icon::Critical);
        return false;
    }
    m_recording = true;
    emit recordingChanged(true, m_chosenFileName);
    return true;
}

void Recorder::stopRecording() {
    m_recording = false;
    m_recordCount = 0;
    m_file.close();
    emit recordingChanged(false, {});
}

bool Recorder::takeSample(const Sample &sample) {
    if (!m_recording)
        return true;
    if (sample.UnitText != m_recordUnit) {
        stopRecording();
        return false;
    }
    if (m_recordCount > 0 && m_recordCount % m_recordsPerFile == 0) {
        m_file.close();
        ++m_filePart;
        const QString next = continuationFileName(m_chosenFileName, m_filePart);
        if (!m_file.create(next) || !m_file.writeHeading(m_recordType, m_recordUnit)) {
            failRecording(next, m_file.errorString());
            return false;
        }
    }
    ++m_recordCount;
    if (!m_file.writeRecord(m_recordCount, sample.stamp, sample.T1Text, sample.T2Text,
                            sample.DiffText)) {
        failRecording(m_file.fileName(), m_file.errorString());
        return false;
    }
    emit recorded(m_recordCount);
    return true;
}

void Recorder::failRecording(const QString &fileName, const QString &reason) {
    stopRecording();
    m_dialogs.message(
        fileProblem(QStringLiteral("Recording stopped: cannot write"), fileName, reason),
        Dialogs::Icon::Critical);
}
