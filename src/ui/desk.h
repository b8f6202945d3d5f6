// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "adapters/native_serial_link.h"
#include "link/port_names.h"
#include "publish/publishing_session.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <memory>
#include <optional>

class MosquittoClient;
class Program;
class Port;
class Panel;
class QWidget;
class QtDialogs;
class QtPlatform;
class WindowModel;
class StoredSettings;

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

    // The view of an opened window, made from the table of views by its model's name;
    // Ctrl+W and Esc close it. A name without a view is a fault of the program: it fails an
    // assertion, and without assertions gives no view.
    static QWidget *makeView(WindowModel &window);

private:
    void onPortChosen(const QString &text);
    // The panel's publishing indicator, and publishing with the last run's settings.
    void startPublishing();
    // Opens "Publishing", showing these settings when given.
    void openPublishing(std::optional<PublishingSession::Settings> shown = std::nullopt);
    void showWindow(WindowModel *window);
    void closeWindow(WindowModel *window);

    PortNames m_names;
    std::unique_ptr<QtDialogs> m_dialogs;
    std::unique_ptr<NativeSerialLink> m_serial;
    std::unique_ptr<QtPlatform> m_platform;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<StoredSettings>
        m_settings; // the alarm limits and publishing, kept between runs
    std::unique_ptr<MosquittoClient> m_broker;
    std::unique_ptr<PublishingSession> m_publishing;
    QPointer<Port> m_port;
    QPointer<Panel> m_panel;
    QHash<WindowModel *, QPointer<QWidget>> m_views;
};
