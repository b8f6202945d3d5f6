#include "panel/sampler.h"

#include "panel/panel_model.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "program/program.h"
#include "records/file_names.h"
#include "records/record_list_model.h"

namespace {

QString fileProblem(const QString &action, const QString &fileName, const QString &reason) {
    return QStringLiteral("%1 \"%2\":\n%3").arg(action, fileName, reason);
}

} // namespace

Sampler::Sampler(Program &program)
    : m_program(program) {}

void Sampler::tick() {
    if (SampleTick != 0 && SampleTick < SamplingTime) {
        ++SampleTick;
        return;
    }
    const QString stamp = recordTimeStamp(m_program.platform().clock->now());
    if (!feedList(stamp))
        return;
    if (!feedRecording(stamp))
        return;
    SampleTick = 1;
}

bool Sampler::feedList(const QString &stamp) {
    ProgramState &state = m_program.state;
    RecordListModel *list = m_program.list();
    if (!state.ListOpen || !list)
        return true;
    if (state.UnitText != state.ListUnit) {
        m_program.closeWindow(list);
        return false;
    }
    ++state.ListCount;
    list->appendRow(
        {QString::number(state.ListCount), stamp, state.T1Text, state.T2Text, state.DiffText});
    if (state.ListCount > RecordListModel::VisibleDataRows)
        list->scrollDown();
    if (state.ListCount % MaxListRows == 0)
        dumpList();
    return true;
}

bool Sampler::feedRecording(const QString &stamp) {
    ProgramState &state = m_program.state;
    if (!state.Recording)
        return true;
    if (state.UnitText != state.RecordUnit) {
        stopRecording();
        return false;
    }
    if (state.RecordCount > 0 && state.RecordCount % MaxRecordsPerFile == 0) {
        m_file.close();
        ++state.FilePart;
        const QString next = continuationFileName(state.ChosenFileName, state.FilePart);
        if (!m_file.create(next) || !m_file.writeHeading(state.RecordType, state.RecordUnit)) {
            failRecording(next, m_file.errorString());
            return false;
        }
    }
    ++state.RecordCount;
    if (!m_file.writeRecord(state.RecordCount, stamp, state.T1Text, state.T2Text, state.DiffText)) {
        failRecording(m_file.fileName(), m_file.errorString());
        return false;
    }
    m_program.panel().element(&PanelDisplay::LblCount).text = QString::number(state.RecordCount);
    m_program.panel().notifyDisplayChanged();
    return true;
}

void Sampler::dumpList() {
    RecordListModel &list = *m_program.list();
    const QString fileName = listDumpFileName(m_program.platform().clock->now());
    m_program.setBusy(true);
    const QString caption = list.caption();
    RecordFileWriter file(RecordFileWriter::Flush::AtEnd);
    bool written = file.create(fileName);
    for (int row = 0; written && row < list.rowCount(); ++row) {
        list.setProgress(row, RecordListModel::Progress::RecordsCompleted);
        written = row == 0 ? file.writeRow(list.row(0))
                           : file.writeTableRows(list.table().table(), row - 1, row);
    }
    written = file.close() && written;
    list.setCaption(caption);
    m_program.setBusy(false);
    if (!written) {
        // The rows stay in the list, so nothing is lost; the next dump takes them along.
        m_program.platform().dialogs->message(
            fileProblem(QStringLiteral("The live list could not be written to"), fileName,
                        file.errorString()),
            Dialogs::Icon::Critical);
        return;
    }
    list.clearRows();
}

bool Sampler::startRecording(const QString &path) {
    ProgramState &state = m_program.state;
    state.RecordType = state.TypeText;
    state.RecordUnit = state.UnitText;
    state.ChosenFileName = path;
    if (!m_file.create(path) || !m_file.writeHeading(state.RecordType, state.RecordUnit)) {
        const QString reason = m_file.errorString();
        m_file.close();
        m_program.platform().dialogs->message(
            fileProblem(QStringLiteral("Recording cannot start: cannot write"), path, reason),
            Dialogs::Icon::Critical);
        return false;
    }
    state.Recording = true;
    showRecordingState();
    return true;
}

void Sampler::stopRecording() {
    ProgramState &state = m_program.state;
    state.Recording = false;
    state.RecordCount = 0;
    m_file.close();
    state.FileChosen = false;
    showRecordingState();
}

void Sampler::failRecording(const QString &fileName, const QString &reason) {
    stopRecording();
    m_program.platform().dialogs->message(
        fileProblem(QStringLiteral("Recording stopped: cannot write"), fileName, reason),
        Dialogs::Icon::Critical);
}

void Sampler::setSamplingTime(int seconds) {
    SamplingTime = seconds;
    SampleTick = 0;
}

void Sampler::showRecordingState() {
    const bool recording = m_program.state.Recording;
    PanelModel &panel = m_program.panel();
    panel.setSaveButton(recording ? 6 : 1,
                        recording ? QStringLiteral("Stop Recording") : QStringLiteral("Save As"));
    panel.element(&PanelDisplay::LblRecording).visible = recording;
    panel.element(&PanelDisplay::LblCount).text.clear();
    panel.element(&PanelDisplay::LblFileName).text =
        recording ? m_program.state.ChosenFileName : QString();
    panel.notifyDisplayChanged();
}
