#include "program/program.h"

#include "link/port_choice.h"
#include "panel/panel_commands.h"
#include "panel/panel_model.h"
#include "panel/sampler.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"
#include "records/list_commands.h"

Program::Program(Platform platform, QObject *parent)
    : QObject(parent)
    , m_platform(std::move(platform))
    , m_panel(std::make_unique<PanelModel>(state, m_platform))
    , m_sampler(std::make_unique<Sampler>(*this))
    , m_panelCommands(std::make_unique<PanelCommands>(*this))
    , m_listCommands(std::make_unique<ListCommands>(*this)) {
    m_panel->setSampler([this] { m_sampler->tick(); });
}

Program::~Program() {
    for (RecordListModel *list : m_lists)
        delete list;
}

void Program::choosePort(const QString &text) {
    if (const int n = PortChoice::portNumberOf(text))
        state.PortNumber = n;
}

bool Program::loadPanel() {
    if (m_panel->load()) {
        m_sampler->SamplingTime = 1;
        return true;
    }
    m_platform.dialogs->message(QStringLiteral("No device found, try again!"),
                                Dialogs::Icon::Critical);
    return false;
}

void Program::quit() {
    if (m_quitting)
        return;
    m_quitting = true;
    m_platform.pump->requestQuit();
    m_panel->stopTimers();
    if (state.Recording)
        m_sampler->stopRecording();
    m_platform.serial->close();
    emit quitRequested();
}

bool Program::isOpen(const RecordListModel *list) const {
    return list && std::find(m_lists.begin(), m_lists.end(), list) != m_lists.end();
}

RecordListModel *Program::openWindow(RecordListModel::Kind kind) {
    closeWindow(slot(kind));
    auto *list = new RecordListModel(kind, state.TypeText, state.UnitText);
    slot(kind) = list;
    switch (kind) {
    case RecordListModel::Kind::List:
        state.ListOpen = true;
        break;
    case RecordListModel::Kind::FileList:
        state.FileListOpen = true;
        break;
    case RecordListModel::Kind::DataList:
        state.DataListOpen = true;
        break;
    }
    emit listOpened(list);
    return list;
}

void Program::closeWindow(RecordListModel *list) {
    if (!isOpen(list))
        return;
    switch (list->kind()) {
    case RecordListModel::Kind::List:
        state.ListOpen = false;
        state.ListCount = 0;
        break;
    case RecordListModel::Kind::FileList:
        state.FileListOpen = false;
        break;
    case RecordListModel::Kind::DataList:
        break; // the logger's flag stays: the logger window decides about its list
    }
    slot(list->kind()) = nullptr;
    emit listClosing(list);
    // Loops that yield may still hold the pointer; they check isOpen() before using it.
    list->deleteLater();
}

void Program::setBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}
