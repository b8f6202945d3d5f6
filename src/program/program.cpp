// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/program.h"

#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "link/port_choice.h"
#include "lists/list_window_model.h"
#include "logger/logger.h"
#include "logger/memory_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"

Program::Program(Platform &platform, Limits limits, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_panel(std::make_unique<PanelModel>(m_platform))
    , m_sampler(std::make_unique<Sampler>(m_panel->live(), m_platform.clock()))
    , m_recorder(
          std::make_unique<Recorder>(m_panel->live(), m_platform.dialogs(), limits.recordsPerFile))
    , m_liveList(std::make_unique<LiveListFeed>(m_windows, m_panel->live(), m_platform,
                                                limits.rowsPerList))
    , m_panelCommands(std::make_unique<PanelCommands>(*this))
    , m_listCommands(std::make_unique<ListCommands>(*this))
    , m_logger(std::make_unique<Logger>(m_platform, m_windows, m_panel->timers())) {
    // Each sample goes to the live list first: a unit change closes the list at one tick
    // and stops the recording at the next.
    m_sampler->subscribe(m_liveList.get());
    m_sampler->subscribe(m_recorder.get());
    connect(m_panel.get(), &PanelModel::samplingTick, this, [this] { m_sampler->tick(); });
    connect(m_recorder.get(), &Recorder::recordingChanged, m_panel.get(),
            &PanelModel::showRecording);
    connect(m_recorder.get(), &Recorder::recorded, m_panel.get(), &PanelModel::showRecordCount);
    m_panel->onCommand(this, [this](PanelCommand command) { m_panelCommands->run(command); });
    connect(m_panel.get(), &WindowModel::closeRequested, this, &Program::quit);
    connect(&m_windows, &WindowRegistry::windowOpened, this, &Program::onWindowOpened);
    // The dump is received inside the frame timer's tick that saw the marker.
    connect(m_panel.get(), &PanelModel::dumpMarker, m_logger.get(), &Logger::ReceiveDump);
    connect(m_logger.get(), &Logger::progress, m_panel.get(), &PanelModel::showMainText);
}

Program::~Program() = default;

void Program::onWindowOpened(WindowModel *window) {
    // Every window's commands reach whoever carries them out from here, as typed commands:
    // a list's to ListCommands, a graph's to the graph itself, Data Logger's to the Logger.
    if (auto *list = qobject_cast<ListWindowModel *>(window)) {
        list->onCommand(list,
                        [this, list](ListCommand command) { m_listCommands->run(list, command); });
    } else if (auto *graph = qobject_cast<GraphWindowModel *>(window)) {
        graph->onCommand(graph, [graph](GraphCommand command) { graph->run(command); });
    } else if (auto *memory = qobject_cast<MemoryModel *>(window)) {
        connect(memory, &MemoryModel::listRequested, m_logger.get(),
                [this, memory](int set) { m_logger->listSet(memory, set); });
        connect(memory, &MemoryModel::eraseRequested, m_logger.get(), &Logger::EraseMemory);
    }
}

void Program::choosePort(const QString &text) {
    if (const int n = PortChoice::portNumberOf(text))
        m_portNumber = n;
}

bool Program::loadPanel() {
    if (m_panel->load(m_portNumber)) {
        m_sampler->setSamplingTime(1); // at every start
        return true;
    }
    m_platform.dialogs().message(QStringLiteral("No device found, try again!"),
                                 Dialogs::Icon::Critical);
    return false;
}

void Program::quit() {
    if (m_quitting)
        return;
    m_quitting = true;
    m_platform.pump().requestQuit();
    m_panel->stopTimers();
    if (m_recorder->Recording())
        m_recorder->stopRecording();
    m_platform.serial().close();
    emit quitRequested();
}

bool Program::openWithoutMeter(const QString &path) {
    if (!m_withoutMeter)
        m_withoutMeter = std::make_unique<TimerGate::Hold>(m_panel->timers());
    connect(&m_windows, &WindowRegistry::windowClosed, this, [this](WindowModel *window) {
        if (window->name() == ListWindowModel::FileListName)
            quit();
    });
    if (m_panelCommands->openFile(path))
        return true;
    // The list a file could not be read into is no window to stay for.
    if (ListWindowModel *list = fileList())
        list->requestClose();
    return false;
}

bool Program::ListOpen() const {
    return list() != nullptr;
}

bool Program::FileListOpen() const {
    return fileList() != nullptr;
}

bool Program::DataListOpen() const {
    return dataList() != nullptr;
}

bool Program::MemoryOpen() const {
    return memory() != nullptr;
}

MemoryModel *Program::memory() const {
    return m_logger->memory();
}

ListWindowModel *Program::list() const {
    return m_windows.find<ListWindowModel>(ListWindowModel::ListName);
}

ListWindowModel *Program::fileList() const {
    return m_windows.find<ListWindowModel>(ListWindowModel::FileListName);
}

ListWindowModel *Program::dataList() const {
    return m_windows.find<ListWindowModel>(ListWindowModel::DataListName);
}

bool Program::GraphOpen() const {
    return graph() != nullptr;
}

bool Program::PlotOpen() const {
    return plot() != nullptr;
}

RealTimeT1T2Model *Program::graph() const {
    return m_windows.find<RealTimeT1T2Model>(RealTimeT1T2Model::Name);
}

ListPlotModel *Program::plot() const {
    return m_windows.find<ListPlotModel>(ListPlotModel::Name);
}
