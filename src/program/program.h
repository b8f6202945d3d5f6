// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/platform.h"
#include "windowing/timer_gate.h"
#include "windowing/window_registry.h"

#include <QObject>

#include <memory>

class PanelModel;
class Sampler;
class Recorder;
class LiveListFeed;
class PanelCommands;
class ListCommands;
class ListWindowModel;
class RealTimeT1T2Model;
class ListPlotModel;
class Logger;
class MemoryModel;

// Owns the program: the main window's model, the sampling and recording, the registry of
// the open windows and the commands that cross windows. Views are created and destroyed in
// answer to the registry's announcements, so the whole program also runs headless.
class Program : public QObject {
    Q_OBJECT

public:
    // How much a recording file and the live list hold before they move on: 345,600
    // records each (what a recording of four days at one second writes).
    struct Limits {
        int recordsPerFile = 345600;
        int rowsPerList = 345600;
    };

    explicit Program(Platform &platform, QObject *parent = nullptr)
        : Program(platform, Limits(), parent) {}
    Program(Platform &platform, Limits limits, QObject *parent = nullptr);
    ~Program() override;

    Platform &platform() { return m_platform; }
    WindowRegistry &windows() { return m_windows; }
    PanelModel &panel() { return *m_panel; }
    Sampler &sampler() { return *m_sampler; }
    Recorder &recorder() { return *m_recorder; }
    LiveListFeed &liveList() { return *m_liveList; }
    PanelCommands &panelCommands() { return *m_panelCommands; }
    ListCommands &listCommands() { return *m_listCommands; }
    Logger &logger() { return *m_logger; }

    // OK in the port chooser: an exact "COM1".."COM16" sets PortNumber; anything else
    // leaves it as it is.
    void choosePort(const QString &text);
    int PortNumber() const { return m_portNumber; }
    // Loads the main window. When the port cannot be opened, tells the user "No device
    // found, try again!" and returns false: the program then ends.
    bool loadPanel();
    // The main window closed: stops recording, closes the port and ends the program.
    void quit();
    // A run without a meter (a record file opened from the desktop): the file's list is
    // the only window, the panel's timers never run, and closing the list ends the
    // program. False when the file could not be opened (the user was told why).
    bool openWithoutMeter(const QString &path);

    // The window-open flags: whether that window is open now.
    bool ListOpen() const;
    bool FileListOpen() const;
    bool DataListOpen() const;
    bool GraphOpen() const;
    bool PlotOpen() const;
    bool MemoryOpen() const;

    // The record list windows; null while closed.
    ListWindowModel *list() const;
    ListWindowModel *fileList() const;
    ListWindowModel *dataList() const;
    // The graph windows; null while closed.
    RealTimeT1T2Model *graph() const;
    ListPlotModel *plot() const;
    // The data-logger window; null while closed.
    MemoryModel *memory() const;

signals:
    void quitRequested();

private:
    void onWindowOpened(WindowModel *window);

    Platform &m_platform;
    WindowRegistry m_windows;
    int m_portNumber = 0;
    std::unique_ptr<PanelModel> m_panel;
    std::unique_ptr<Sampler> m_sampler;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<LiveListFeed> m_liveList;
    std::unique_ptr<PanelCommands> m_panelCommands;
    std::unique_ptr<ListCommands> m_listCommands;
    std::unique_ptr<Logger> m_logger;
    bool m_quitting = false;
    std::unique_ptr<TimerGate::Hold> m_withoutMeter; // holds the panel's timers for good
};
