#include "ui/desk.h"

#include "adapters/native_serial_link.h"
#include "adapters/qt_clock.h"
#include "adapters/qt_event_pump.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "logger/memory_model.h"
#include "program/program.h"
#include "records/record_list_model.h"
#include "ui/adapters/qt_busy_pointer.h"
#include "ui/adapters/qt_dialogs.h"
#include "ui/adapters/qt_image_printer.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/adapters/qt_picture_writer.h"
#include "ui/adapters/qt_text_printer.h"
#include "ui/close_keys.h"
#include "ui/list_plot.h"
#include "ui/list_window.h"
#include "ui/memory.h"
#include "ui/panel.h"
#include "ui/port.h"
#include "ui/real_time_t1t2.h"

#include <QApplication>

namespace {

template <class View, class Model> QWidget *viewOf(WindowModel &window) {
    return new View(static_cast<Model &>(window));
}

// The view of every secondary window, by the window's name: a new window is one line here.
const QHash<QString, QWidget *(*)(WindowModel &)> Views{
    {QStringLiteral("List"), viewOf<ListWindow, RecordListModel>},
    {QStringLiteral("FileList"), viewOf<ListWindow, RecordListModel>},
    {QStringLiteral("DataList"), viewOf<ListWindow, RecordListModel>},
    {QStringLiteral("RealTimeT1T2"), viewOf<RealTimeT1T2, RealTimeT1T2Model>},
    {QStringLiteral("ListPlot"), viewOf<ListPlot, ListPlotModel>},
    {QStringLiteral("Memory"), viewOf<Memory, MemoryModel>},
};

} // namespace

Desk::Desk(const PortNames &names, QObject *parent)
    : QObject(parent)
    , m_names(names)
    , m_pump(std::make_unique<QtEventPump>())
    , m_dialogs(std::make_unique<QtDialogs>())
    , m_clock(std::make_unique<QtClock>())
    , m_pointer(std::make_unique<QtBusyPointer>())
    , m_serial(std::make_unique<NativeSerialLink>(names)) {
    Platform platform;
    platform.serial = m_serial.get();
    platform.pump = m_pump.get();
    platform.dialogs = m_dialogs.get();
    platform.clock = m_clock.get();
    platform.pointer = m_pointer.get();
    platform.makeTextPrinter = [] {
        return std::make_unique<QtTextPrinter>(QApplication::activeWindow());
    };
    platform.makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    platform.makeImagePrinter = [] {
        return std::make_unique<QtImagePrinter>(QApplication::activeWindow());
    };
    platform.makePictureWriter = [] {
        return std::make_unique<QtPictureWriter>(QApplication::font());
    };
    m_program = std::make_unique<Program>(platform);
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
    const auto make = Views.value(window.name());
    QWidget *view = make ? make(window) : nullptr;
    if (view)
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
}

void Desk::showWindow(WindowModel *window) {
    QWidget *view = makeView(*window);
    if (!view)
        return;
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
