#pragma once

#include "adapters/native_serial_link.h"
#include "link/port_names.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <memory>

class Program;
class Port;
class Panel;
class QWidget;
class QtBusyPointer;
class QtDialogs;
class QtEventPump;
class QtClock;
class WindowModel;

// Puts the program together with the real Qt adapters and creates the windows' views as
// the program opens them. The application's main() is this and the command line.
class Desk : public QObject {
    Q_OBJECT

public:
    explicit Desk(const PortNames &names, QObject *parent = nullptr);
    ~Desk() override;

    // Shows the port chooser, the first window of a run.
    void start();
    // Lists a record file as the only window of a run without a meter; false when it
    // could not be opened (the user was told why).
    bool openWithoutMeter(const QString &path);

    Program &program() { return *m_program; }

    // The view of an opened window, made from the table of views by the window's name;
    // Ctrl+W and Esc close it.
    static QWidget *makeView(WindowModel &window);

private:
    void onPortChosen(const QString &text);
    void showWindow(WindowModel *window);
    void closeWindow(WindowModel *window);

    PortNames m_names;
    std::unique_ptr<QtEventPump> m_pump;
    std::unique_ptr<QtDialogs> m_dialogs;
    std::unique_ptr<QtClock> m_clock;
    std::unique_ptr<QtBusyPointer> m_pointer;
    std::unique_ptr<NativeSerialLink> m_serial;
    std::unique_ptr<Program> m_program;
    QPointer<Port> m_port;
    QPointer<Panel> m_panel;
    QHash<WindowModel *, QPointer<QWidget>> m_views;
};
