// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/unattended_recording.h"

#include "link/port_choice.h"
#include "panel/alarms.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "platform/platform.h"
#include "platform/serial_link.h"
#include "program/program.h"
#include "records/file_names.h"
#include "records/native_file_system.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// The longest single wait of the duration's timer; the deadline itself is checked on a
// monotonic clock, so runs of many days need no timer that long.
constexpr qint64 LongestWaitMs = 3600 * 1000;

QString recordsText(qint64 count) {
    return count == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(count);
}

} // namespace

UnattendedRecording::UnattendedRecording(Program &program, Options options, Output status,
                                         Output errors, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_options(std::move(options))
    , m_alarmCommand(m_options.onAlarm)
    , m_status(std::move(status))
    , m_errors(std::move(errors)) {
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &UnattendedRecording::onDeadlineCheck);
}

bool UnattendedRecording::start() {
    if (!checkFile()) {
        m_finished = true;
        m_exitCode = FailureExitCode;
        return false;
    }
    m_program.choosePort(PortChoice::portName(m_options.portNumber));
    if (!m_program.panel().load(m_options.portNumber)) {
        const QString reason = m_program.platform().serial().errorString();
        complain(QStringLiteral("cannot open the port %1%2")
                     .arg(m_options.portLabel, reason.isEmpty() ? QString() : ": " + reason));
        m_finished = true;
        m_exitCode = FailureExitCode;
        return false;
    }
    m_program.sampler().subscribe(this);
    connect(&m_program.panel(), &PanelModel::displayChanged, this,
            &UnattendedRecording::onDisplayChanged);
    connect(&m_program.panel(), &PanelModel::meterSilent, this, [this] {
        if (!m_stopping)
            tell(QStringLiteral("no meter on %1 (silent or unplugged); waiting for it")
                     .arg(m_options.portLabel));
    });
    connect(&m_program.panel(), &PanelModel::meterHeard, this, [this] {
        if (!m_stopping)
            tell(QStringLiteral("the meter is back on %1").arg(m_options.portLabel));
    });
    connect(&m_program.recorder(), &Recorder::recordingChanged, this,
            [this](bool recording) { onRecordingChanged(recording); });
    // The alarms of the command line, in the unit of the meter's first frame; nothing of
    // them is kept for later runs.
    AlarmLimits limits;
    for (const QString &rule : std::as_const(m_options.alarmRules))
        limits.addRule(rule);
    m_program.alarms().setLimits(limits);
    connect(&m_program.alarms(), &Alarms::alarm, this, &UnattendedRecording::onAlarm);
    if (m_options.forSeconds > 0) {
        m_deadline = QDeadlineTimer(m_options.forSeconds * 1000);
        onDeadlineCheck();
    }
    tell(QStringLiteral("waiting for the meter on %1").arg(m_options.portLabel));
    return true;
}

bool UnattendedRecording::checkFile() {
    const QFileInfo file(m_options.path);
    if (!m_options.force && (file.exists() || file.isSymLink())) {
        complain(QStringLiteral("%1 exists already; --force overwrites it")
                     .arg(QDir::toNativeSeparators(m_options.path)));
        return false;
    }
    if (file.isDir()) {
        complain(QStringLiteral("%1 is a folder").arg(QDir::toNativeSeparators(m_options.path)));
        return false;
    }
    // The folder is checked now, before the meter is waited for; the file itself is made
    // only once the meter has told its type and unit, which its heading names.
    const QString folder = file.absolutePath();
    const FileSystem &files = nativeFileSystem();
    const FileSystem::Entry entry = files.look(folder);
    QString reason;
    if (entry.kind == FileSystem::Kind::Missing)
        reason = files.reason(FileSystem::Problem::FolderNotFound);
    else if (entry.kind != FileSystem::Kind::Folder)
        reason = files.reason(FileSystem::Problem::NotAFolder);
    else if (!entry.writable)
        reason = entry.whyNotWritable;
    if (!reason.isEmpty()) {
        complain(QStringLiteral("cannot write in the folder %1: %2")
                     .arg(QDir::toNativeSeparators(folder), reason));
        return false;
    }
    return true;
}

void UnattendedRecording::onDisplayChanged() {
    if (m_stopping)
        return;
    // The first frame tells the type and unit the recording's heading names.
    if (!m_recording && !m_program.panel().live().UnitText.isEmpty())
        startRecording();
}

void UnattendedRecording::startRecording() {
    m_recording = true;
    // A file that appeared while the meter was waited for is not overwritten either.
    if (!checkFile() || !m_program.recorder().startRecording(m_options.path)) {
        finish(FailureExitCode);
        return;
    }
    m_filePart = m_program.recorder().FilePart();
    // As the "Sample" command does: the next tick samples, then every everySeconds-th.
    m_program.sampler().setSamplingTime(m_options.everySeconds);
    const Recorder &recorder = m_program.recorder();
    tell(QStringLiteral("recording %1 %2 every %3 s into %4")
             .arg(recorder.RecordType(), recorder.RecordUnit())
             .arg(m_options.everySeconds)
             .arg(QDir::toNativeSeparators(m_options.path)));
}

bool UnattendedRecording::takeSample(const Sample &sample) {
    const Recorder &recorder = m_program.recorder();
    if (m_stopping || !recorder.Recording())
        return true;
    ++m_records;
    if (recorder.FilePart() != m_filePart) {
        m_filePart = recorder.FilePart();
        tell(QStringLiteral("continuing in %1").arg(QDir::toNativeSeparators(currentFileName())));
    }
    QString alarms;
    for (const AlarmChannel channel : AlarmChannels) {
        if (m_program.alarms().isActive(channel))
            alarms += QStringLiteral("  ALARM ") + alarmChannelName(channel);
    }
    tell(QStringLiteral("record %1  %2  T1 %3  T2 %4  T1-T2 %5  %6%7")
             .arg(recorder.RecordCount())
             .arg(sample.stamp, sample.T1Text, sample.T2Text, sample.DiffText, sample.UnitText,
                  alarms) +
         (m_statusSuffix ? m_statusSuffix() : QString()));
    return true;
}

void UnattendedRecording::onAlarm(const AlarmEvent &event) {
    if (m_stopping)
        return;
    tell(QStringLiteral("alarm: %1").arg(event.text()));
    QString error;
    if (!m_alarmCommand.start(event, &error))
        complain(QStringLiteral("cannot run the --on-alarm command: %1").arg(error));
}

void UnattendedRecording::onRecordingChanged(bool recording) {
    if (recording || m_stopping)
        return;
    // The recorder stopped by itself. A file it could not write it has told about through
    // the dialogs; a change of unit it leaves to the panel's display, so it is said here.
    const Recorder &recorder = m_program.recorder();
    const QString unit = m_program.panel().live().UnitText;
    if (unit != recorder.RecordUnit())
        complain(QStringLiteral("recording stopped: the meter changed its unit from %1 to %2")
                     .arg(recorder.RecordUnit(), unit));
    finish(FailureExitCode);
}

void UnattendedRecording::onDeadlineCheck() {
    if (m_deadline.hasExpired()) {
        stop(QStringLiteral("after --for %1 s").arg(m_options.forSeconds));
        return;
    }
    m_deadlineTimer.start(int(std::clamp<qint64>(m_deadline.remainingTime(), 1, LongestWaitMs)));
}

void UnattendedRecording::stop(const QString &why) {
    if (m_stopping)
        return;
    if (m_records == 0 && !m_program.recorder().Recording()) {
        complain(QStringLiteral("stopped %1: no meter heard on %2, nothing recorded")
                     .arg(why, m_options.portLabel));
        finish(FailureExitCode);
        return;
    }
    finish(0, why);
}

void UnattendedRecording::finish(int exitCode, const QString &why) {
    if (m_stopping)
        return;
    m_stopping = true;
    m_deadlineTimer.stop();
    const bool wasRecording = m_program.recorder().Recording();
    const QString file = currentFileName();
    // Stops the recording with its file complete, the timers and the waits, closes the port.
    m_program.quit();
    if (wasRecording || m_records > 0)
        tell(QStringLiteral("stopped%1: %2 in %3")
                 .arg(why.isEmpty() ? QString() : QLatin1Char(' ') + why, recordsText(m_records),
                      QDir::toNativeSeparators(file)));
    m_finished = true;
    m_exitCode = exitCode;
    emit finished(exitCode);
}

QString UnattendedRecording::currentFileName() const {
    return m_filePart == 0 ? m_options.path : continuationFileName(m_options.path, m_filePart);
}

void UnattendedRecording::tell(const QString &line) {
    if (!m_options.quiet)
        m_status(line);
}

void UnattendedRecording::complain(const QString &line) {
    m_errors(line);
}
