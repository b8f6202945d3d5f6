// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/desk.h"

#include "adapters/mosquitto_client.h"
#include "adapters/native_serial_link.h"
#include "adapters/stored_settings.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "link/port_choice.h"
#include "lists/list_window_model.h"
#include "logger/memory_model.h"
#include "panel/alarms.h"
#include "panel/alarms_model.h"
#include "panel/sampler.h"
#include "program/program.h"
#include "publish/publish_messages.h"
#include "publish/publishing_model.h"
#include "publish/publishing_session.h"
#include "ui/adapters/qt_dialogs.h"
#include "ui/adapters/qt_platform.h"
#include "ui/alarms_window.h"
#include "ui/close_keys.h"
#include "ui/list_plot.h"
#include "ui/list_window.h"
#include "ui/memory.h"
#include "ui/panel.h"
#include "ui/port.h"
#include "ui/pressable_label.h"
#include "ui/publishing.h"
#include "ui/real_time_t1t2.h"

#include <QApplication>
#include <QSysInfo>

namespace {

template <class View, class Model> QWidget *viewOf(WindowModel &window) {
    return new View(static_cast<Model &>(window));
}

// The view of every secondary window, by its model's name: a new window is one line here.
using MakeView = QWidget *(*)(WindowModel &);
const QHash<QString, MakeView> &views() {
    static const QHash<QString, MakeView> table{
        {ListWindowModel::ListName, viewOf<ListWindow, ListWindowModel>},
        {ListWindowModel::FileListName, viewOf<ListWindow, ListWindowModel>},
        {ListWindowModel::DataListName, viewOf<ListWindow, ListWindowModel>},
        {RealTimeT1T2Model::Name, viewOf<RealTimeT1T2, RealTimeT1T2Model>},
        {ListPlotModel::Name, viewOf<ListPlot, ListPlotModel>},
        {MemoryModel::Name, viewOf<Memory, MemoryModel>},
        {AlarmsModel::Name, viewOf<AlarmsWindow, AlarmsModel>},
        {PublishingModel::Name, viewOf<Publishing, PublishingModel>},
    };
    return table;
}

} // namespace

Desk::Desk(const PortNames &names, QObject *parent)
    : QObject(parent)
    , m_names(names)
    , m_dialogs(std::make_unique<QtDialogs>())
    , m_serial(std::make_unique<NativeSerialLink>(names))
    , m_platform(std::make_unique<QtPlatform>(*m_serial, *m_dialogs))
    , m_program(std::make_unique<Program>(*m_platform))
    , m_settings(std::make_unique<StoredSettings>()) {
    // The alarm limits of the last run, and every change of them for the next.
    Alarms &alarms = m_program->alarms();
    if (const auto limits = AlarmLimits::fromStrings(m_settings->alarmLimits()))
        alarms.setLimits(*limits);
    connect(&alarms, &Alarms::limitsChanged, this,
            [this, &alarms] { m_settings->setAlarmLimits(alarms.limits().toStrings()); });
    connect(&m_program->windows(), &WindowRegistry::windowOpened, this, &Desk::showWindow);
    connect(&m_program->windows(), &WindowRegistry::windowClosed, this, &Desk::closeWindow);
    connect(m_program.get(), &Program::quitRequested, this, [] { QCoreApplication::exit(0); });
    // The session ends (logoff, shutdown): a recording stops with its file complete before
    // the system ends the process.
    connect(qApp, &QCoreApplication::aboutToQuit, m_program.get(), &Program::quit);
}

Desk::~Desk() {
    for (const QPointer<QWidget> &view : std::as_const(m_views))
        delete view;
    delete m_port;
    delete m_panel;
}

QWidget *Desk::makeView(WindowModel &window) {
    const MakeView make = views().value(window.name());
    // A window without a view would sit in the registry unseen, its command blocked for
    // good: a fault of the program, loud wherever assertions are on.
    Q_ASSERT_X(make, "Desk::makeView",
               qPrintable(QStringLiteral("no view for the window \"%1\"").arg(window.name())));
    if (!make) {
        qCritical("No view for the window \"%s\"", qPrintable(window.name()));
        return nullptr;
    }
    QWidget *view = make(window);
    addCloseKeys(*view, window);
    return view;
}

void Desk::start() {
    m_port = new Port([this](int n) { return NativeSerialLink::describe(m_names.deviceFor(n)); });
    m_port->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_port, &Port::chosen, this, &Desk::onPortChosen);
    connect(m_port, &Port::rejected, this, [this] {
        if (!m_panel)
            QCoreApplication::exit(0);
    });
    m_port->show();
}

bool Desk::openWithoutMeter(const QString &path) {
    return m_program->openWithoutMeter(path);
}

void Desk::onPortChosen(const QString &text) {
    m_program->choosePort(text);
    m_panel = new Panel(m_program->panel());
    m_dialogs->setParentWindow(m_panel);
    if (!m_program->loadPanel()) {
        delete m_panel;
        QCoreApplication::exit(1);
        return;
    }
    m_panel->show();
    startPublishing();
}

void Desk::startPublishing() {
    m_broker = std::make_unique<MosquittoClient>();
    m_publishing = std::make_unique<PublishingSession>(
        *m_broker, m_program->sampler(), m_program->panel(), m_program->recorder(),
        m_platform->clock(),
        PublishMessages::defaultName(QSysInfo::machineHostName(),
                                     PortChoice::portName(m_program->PortNumber())));
    connect(&m_program->alarms(), &Alarms::alarm, m_publishing.get(),
            &PublishingSession::takeAlarm);
    // The panel's indicator says how publishing goes; pressed, it opens "Publishing".
    auto *indicator = new PressableLabel(m_panel);
    indicator->setObjectName(QStringLiteral("LblPublishing"));
    indicator->setAccessibleName(QStringLiteral("Publishing"));
    indicator->setAccessibleDescription(
        QStringLiteral("How publishing to a broker goes; press to set it up"));
    const auto show = [this, indicator] {
        indicator->setText(QStringLiteral("MQTT: ") + m_publishing->statusText());
    };
    connect(m_publishing.get(), &PublishingSession::changed, indicator, show);
    connect(indicator, &PressableLabel::pressed, this, [this] { openPublishing(); });
    show();
    m_panel->addStatusLine(indicator);

    // The settings of the last run; the password is asked for again, so with a user the
    // window opens for it, and without one publishing starts at once.
    const QStringList last = m_settings->publishing();
    if (last.size() != 4 || last.at(0).isEmpty())
        return;
    const PublishingSession::Settings settings{last.at(0), last.at(1), last.at(2), last.at(3)};
    if (settings.user.isEmpty() && m_publishing->start(settings, {}).isEmpty())
        return;
    openPublishing(settings);
}

void Desk::openPublishing(std::optional<PublishingSession::Settings> shown) {
    if (shown)
        m_publishing->remember(*shown);
    auto *model = m_program->windows().open(std::make_unique<PublishingModel>(*m_publishing));
    connect(model, &PublishingModel::published, this,
            [this](const PublishingSession::Settings &settings) {
                m_settings->setPublishing(
                    {settings.url, settings.caFile, settings.user, settings.name});
            });
}

void Desk::showWindow(WindowModel *window) {
    QWidget *view = makeView(*window);
    if (!view) {
        // Unseen, it could never be closed: it goes again at once.
        QMetaObject::invokeMethod(window, &WindowModel::requestClose, Qt::QueuedConnection);
        return;
    }
    m_views.insert(window, view);
    // Secondary windows open just right of the main window, level with its top.
    if (m_panel) {
        const QRect panel = m_panel->frameGeometry();
        view->move(panel.x() + panel.width(), panel.y());
    }
    view->show();
}

void Desk::closeWindow(WindowModel *window) {
    QPointer<QWidget> view = m_views.take(window);
    if (!view)
        return;
    view->hide();
    view->deleteLater();
}
