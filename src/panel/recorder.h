// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/sample.h"
#include "records/record_file_writer.h"

#include <QObject>

class Dialogs;

// The recording: each sample becomes a record line of the chosen file, written whole and
// on the disk at once, with a continuation file every recordsPerFile records (345,600 in
// the program). It owns the recording state; the panel shows it from the announcements.
class Recorder : public QObject, public SampleSink {
    Q_OBJECT

public:
    Recorder(const LiveValues &live, Dialogs &dialogs, int recordsPerFile,
             QObject *parent = nullptr);

    // Starts recording to the chosen file: captures the live type and unit, writes the
    // heading. False (and still idle) when the file cannot be created; the user was told.
    bool startRecording(const QString &path);
    void stopRecording();

    // A unit change stops the recording and ends the tick; otherwise one record line.
    bool takeSample(const Sample &sample) override;

    bool Recording() const { return m_recording; }
    int RecordCount() const { return m_recordCount; }
    int FilePart() const { return m_filePart; }
    QString RecordType() const { return m_recordType; }
    QString RecordUnit() const { return m_recordUnit; }
    QString ChosenFileName() const { return m_chosenFileName; }

signals:
    void recordingChanged(bool recording, const QString &fileName);
    void recorded(int recordCount);

private:
    // A recording that cannot write stops, keeping what it wrote, and says why.
    void failRecording(const QString &fileName, const QString &reason);

    const LiveValues &m_live;
    Dialogs &m_dialogs;
    const int m_recordsPerFile;
    RecordFileWriter m_file{RecordFileWriter::Flush::EveryLine};
    bool m_recording = false;
    int m_recordCount = 0;
    int m_filePart = 0; // never reset: continuation numbers go on across recordings
    QString m_recordType;
    QString m_recordUnit;
    QString m_chosenFileName;
};
