// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/alarm_command.h"
#include "panel/sample.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class Program;
struct AlarmEvent;

// Unattended logging: the "Save As" recording, started without a window once the meter is
// heard, with a status line per sample, until a stop request, the end of its duration or a
// failure. The program follows the meter through silence and unplugging as the panel does.
class UnattendedRecording : public QObject, public SampleSink {
    Q_OBJECT

public:
    struct Options {
        QString path;
        int portNumber = 1;
        QString portLabel; // how messages name the port, e.g. "COM1 (/dev/ttyUSB0)"
        int everySeconds = 1;
        qint64 forSeconds = 0; // 0: until stopped
        bool quiet = false;
        bool force = false;     // an existing file is overwritten
        QStringList alarmRules; // "T1>250", "open", ...: checked by the command line
        QString onAlarm;        // the command run at every start and end of an alarm
    };
    // Lines for standard error, without the line end.
    using Output = std::function<void(const QString &line)>;

    static constexpr int FailureExitCode = 1;

    UnattendedRecording(Program &program, Options options, Output status, Output errors,
                        QObject *parent = nullptr);

    // Checks the file and the folder and opens the port. False, with the reason told, when
    // the run cannot start; exitCode() is then set.
    bool start();
    // Ends the run: the recording's file complete, the port closed. why names the cause
    // ("by SIGTERM").
    void stop(const QString &why);

    bool isFinished() const { return m_finished; }
    int exitCode() const { return m_exitCode; }
    // Records written in this run, over all its files.
    qint64 records() const { return m_records; }

    // What the status line of each sample adds, e.g. how publishing goes.
    void setStatusSuffix(std::function<QString()> suffix) { m_statusSuffix = std::move(suffix); }

    // After the recorder: each sample it wrote gets its status line.
    bool takeSample(const Sample &sample) override;

signals:
    void finished(int exitCode);

private:
    bool checkFile();
    void onDisplayChanged();
    void onAlarm(const AlarmEvent &event);
    void startRecording();
    void onRecordingChanged(bool recording);
    void onDeadlineCheck();
    void finish(int exitCode, const QString &why = {});
    void tell(const QString &line);
    void complain(const QString &line);
    QString currentFileName() const;

    Program &m_program;
    Options m_options;
    AlarmCommand m_alarmCommand;
    Output m_status;
    Output m_errors;
    std::function<QString()> m_statusSuffix;
    QDeadlineTimer m_deadline{QDeadlineTimer::Forever};
    QTimer m_deadlineTimer;
    qint64 m_records = 0;
    int m_filePart = 0;
    bool m_recording = false;
    bool m_stopping = false;
    bool m_finished = false;
    int m_exitCode = 0;
};
