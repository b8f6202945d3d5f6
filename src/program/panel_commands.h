// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Program;
class QString;
enum class PanelCommand;

// The main window's toolbar: record, open a file into FileList, set the sampling time,
// open the live list and the real-time graph.
class PanelCommands {
public:
    explicit PanelCommands(Program &program);

    // Carries out a command of the panel's toolbar.
    void run(PanelCommand command);

    void save();
    // Asks for a record file and lists it in FileList.
    void open();
    // Lists the record file in a fresh FileList. False when it could not be opened (the
    // user was told why) or FileList closed while it loaded.
    bool openFile(const QString &path);
    void sample();
    void list();
    // Opens the real-time graph with the unit of the moment; nothing while it is open.
    void graph();

private:
    Program &m_program;
};
