#include "program/program.h"

#include "link/port_choice.h"
#include "panel/panel_model.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"

Program::Program(Platform platform, QObject *parent)
    : QObject(parent)
    , m_platform(std::move(platform))
    , m_panel(std::make_unique<PanelModel>(state, m_platform)) {}

Program::~Program() = default;

void Program::choosePort(const QString &text) {
    if (const int n = PortChoice::portNumberOf(text))
        state.PortNumber = n;
}

bool Program::loadPanel() {
    if (m_panel->load())
        return true;
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
    m_platform.serial->close();
    emit quitRequested();
}
