// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/panel_commands.h"

#include "graphs/real_time_t1t2_model.h"
#include "lists/list_file_io.h"
#include "lists/list_window_model.h"
#include "panel/file_transfer.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "platform/dialogs.h"
#include "program/program.h"
#include "records/record_file_reader.h"
#include "records/recording_parts.h"
#include "windowing/long_work.h"

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

void PanelCommands::run(PanelCommand command) {
    switch (command) {
    case PanelCommand::Save:
        save();
        return;
    case PanelCommand::Open:
        open();
        return;
    case PanelCommand::Sample:
        sample();
        return;
    case PanelCommand::List:
        list();
        return;
    case PanelCommand::Graph:
        graph();
        return;
    }
}

void PanelCommands::save() {
    Recorder &recorder = m_program.recorder();
    if (recorder.Recording()) {
        recorder.stopRecording();
        return;
    }
    const QString path = FileTransfer::ShowSaveDialog(m_program.platform().dialogs());
    if (!path.isEmpty())
        recorder.startRecording(path);
}

void PanelCommands::open() {
    const QString path = m_program.platform().dialogs().openFile(OpenFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool PanelCommands::openFile(const QString &path) {
    Platform &platform = m_program.platform();
    const LiveValues &live = m_program.panel().live();
    ListWindowModel *list = m_program.windows().open(std::make_unique<ListWindowModel>(
        ListWindowModel::Kind::FileList, live.TypeText, live.UnitText));

    RecordFileReader reader;
    if (!reader.open(path)) {
        platform.dialogs().message(QStringLiteral("Cannot open \"%1\":\n%2")
                                       .arg(QDir::toNativeSeparators(path), reader.errorString()),
                                   Dialogs::Icon::Critical);
        return false;
    }
    LongWork work(platform.pump(), list);
    ListFileIO::Outcome outcome;
    {
        TimerGate::Hold timersStopped(m_program.panel().timers());
        list->setLoading(true);
        outcome = ListFileIO::readRecords(reader, *list, work);
        reader.close();
    }
    if (outcome == ListFileIO::Outcome::Stopped)
        return false;
    {
        list->setLoading(false);
        list->setCaption(QFileInfo(path).fileName());
        // A recording that went on into continuation files can be plotted as a whole.
        list->setOpenedFile(path);
        list->setVisible(ListCommand::PlotAll, RecordingParts::inFolder(path).paths.size() > 1);
    }
    return true;
}

void PanelCommands::sample() {
    Sampler &sampler = m_program.sampler();
    const QString answer =
        m_program.platform().dialogs().input(SamplePrompt, QStringLiteral("Input Sampling Time"),
                                             QString::number(sampler.SamplingTime()));
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
    m_program.liveList().open();
}

void PanelCommands::graph() {
    Platform &platform = m_program.platform();
    if (m_program.GraphOpen())
        return;
    PanelModel &panel = m_program.panel();
    m_program.windows().open(std::make_unique<RealTimeT1T2Model>(
        platform, panel.timers(), panel.live(), panel.live().UnitText));
}
