#include "ui/desk.h"

#include "panel/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_clock.h"
#include "ui/adapters/qt_dialogs.h"
#include "ui/adapters/qt_event_pump.h"
#include "ui/adapters/qt_serial_link.h"
#include "ui/adapters/qt_text_printer.h"
#include "ui/list_window.h"
#include "ui/panel.h"
#include "ui/port.h"

#include <QApplication>

Desk::Desk(const PortNames &names, QObject *parent)
    : QObject(parent)
    , m_names(names)
    , m_pump(std::make_unique<QtEventPump>())
    , m_dialogs(std::make_unique<QtDialogs>())
    , m_clock(std::make_unique<QtClock>())
    , m_serial(std::make_unique<QtSerialLink>(names)) {
    Platform platform;
    platform.serial = m_serial.get();
    platform.pump = m_pump.get();
    platform.dialogs = m_dialogs.get();
    platform.clock = m_clock.get();
    platform.makeTextPrinter = [] {
        return std::make_unique<QtTextPrinter>(QApplication::activeWindow());
    };
    m_program = std::make_unique<Program>(platform);
    connect(m_program.get(), &Program::listOpened, this, &Desk::showList);
    connect(m_program.get(), &Program::listClosing, this, &Desk::closeList);
    connect(m_program.get(), &Program::busyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    connect(m_program.get(), &Program::quitRequested, this, [] { QCoreApplication::exit(0); });
}

Desk::~Desk() {
    for (const QPointer<ListWindow> &list : std::as_const(m_lists))
        delete list;
    delete m_port;
    delete m_panel;
}

void Desk::start() {
    m_port = new Port([this](int n) { return m_names.deviceFor(n); });
    m_port->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_port, &Port::chosen, this, &Desk::onPortChosen);
    connect(m_port, &Port::rejected, this, [this] {
        if (!m_panel)
            QCoreApplication::exit(0);
    });
    m_port->show();
}

void Desk::onPortChosen(const QString &text) {
    m_program->choosePort(text);
    m_panel = new Panel(m_program->panel());
    m_dialogs->setParentWindow(m_panel);
    connect(m_panel, &Panel::closing, m_program.get(), &Program::quit);
    connect(m_panel, &Panel::toolbarButton, this,
            [this](const QString &key) { m_program->panelCommands().onToolbarButton(key); });
    if (!m_program->loadPanel()) {
        delete m_panel;
        QCoreApplication::exit(1);
        return;
    }
    m_panel->show();
}

void Desk::showList(RecordListModel *list) {
    auto *window = new ListWindow(*m_program, *list);
    m_lists.insert(list, window);
    // Lists open just right of the main window, level with its top.
    if (m_panel) {
        const QRect panel = m_panel->frameGeometry();
        window->move(panel.x() + panel.width(), panel.y());
    }
    window->show();
}

void Desk::closeList(RecordListModel *list) {
    QPointer<ListWindow> window = m_lists.take(list);
    if (!window)
        return;
    window->hide();
    window->deleteLater();
}
