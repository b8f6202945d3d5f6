#include "panel/panel_commands.h"

#include "panel/file_transfer.h"
#include "panel/panel_model.h"
#include "panel/sampler.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "program/program.h"
#include "records/record_file_reader.h"
#include "records/record_list_model.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {

const QString OpenFilter = QStringLiteral("All Files (*.rdg)|*.rdg|All Files (*.*)|*.*|");
const QString SamplePrompt =
    QStringLiteral("Enter the SAMPLING TIME in seconds\r\n(1 <= t <= 86400 ) ");

} // namespace

PanelCommands::PanelCommands(Program &program)
    : m_program(program) {}

void PanelCommands::onToolbarButton(const QString &key) {
    if (key == QLatin1String("Save"))
        save();
    else if (key == QLatin1String("Open"))
        open();
    else if (key == QLatin1String("Sample"))
        sample();
    else if (key == QLatin1String("List"))
        list();
    // "Graph" opens the real-time graph, which this version does not have yet.
}

void PanelCommands::save() {
    ProgramState &state = m_program.state;
    if (state.Recording) {
        m_program.sampler().stopRecording();
        return;
    }
    FileTransfer::ShowSaveDialog(*m_program.platform().dialogs, state);
    if (!state.FileChosen)
        return;
    state.FileChosen = false;
    m_program.sampler().startRecording(state.ChosenFileName);
}

void PanelCommands::open() {
    Platform &platform = m_program.platform();
    const QString path = platform.dialogs->openFile(OpenFilter);
    if (path.isEmpty())
        return;
    m_program.closeWindow(m_program.fileList());
    RecordListModel *list = m_program.openWindow(RecordListModel::Kind::FileList);

    RecordFileReader reader;
    if (!reader.open(path)) {
        platform.dialogs->message(QStringLiteral("Cannot open \"%1\":\n%2")
                                      .arg(QDir::toNativeSeparators(path), reader.errorString()),
                                  Dialogs::Icon::Critical);
        return;
    }
    PanelModel &panel = m_program.panel();
    panel.stopTimers();
    const bool listStillOpen = readInto(reader, list);
    reader.close();
    panel.startTimers();
    if (listStillOpen)
        list->setCaption(QFileInfo(path).fileName());
}

bool PanelCommands::readInto(RecordFileReader &reader, RecordListModel *list) {
    EventPump &pump = *m_program.platform().pump;
    for (;;) {
        switch (reader.readNext(list->table().table())) {
        case RecordFileReader::Step::Heading:
            list->setColumn0Heading(reader.headingField());
            continue;
        case RecordFileReader::Step::Record:
            list->setProgress(reader.recordsRead(), RecordListModel::Progress::Completed);
            if (pump.yield() && (pump.quitting() || !m_program.isOpen(list)))
                return false;
            continue;
        case RecordFileReader::Step::End:
        case RecordFileReader::Step::Unsplittable:
        case RecordFileReader::Step::ReadError:
            // A line that cannot be split ends the load there; the rows before it stay.
            list->table().publishRows();
            return true;
        }
    }
}

void PanelCommands::sample() {
    Sampler &sampler = m_program.sampler();
    const QString answer = m_program.platform().dialogs->input(
        SamplePrompt, QStringLiteral("Input Sampling Time"), QString::number(sampler.SamplingTime));
    if (answer.isEmpty())
        return;
    bool isNumber = false;
    const double value = answer.trimmed().toDouble(&isNumber);
    // A number too large for a double ("1e400") comes back as infinity without the flag;
    // like "inf" it is a number beyond the range and is clamped. "nan" is no number.
    if (std::isnan(value) || !(isNumber || std::isinf(value)))
        return;
    const double seconds = std::clamp(std::trunc(value), 1.0, double(Sampler::MaxSamplingTime));
    sampler.setSamplingTime(int(seconds));
}

void PanelCommands::list() {
    ProgramState &state = m_program.state;
    if (state.ListOpen)
        return;
    state.ListUnit = state.UnitText;
    m_program.openWindow(RecordListModel::Kind::List);
}
