#pragma once

#include <QString>

class Program;

// The main window's toolbar: record, open a file into FileList, set the sampling time,
// open the live list and the real-time graph.
class PanelCommands {
public:
    explicit PanelCommands(Program &program);

    // Dispatches on the button key; an unknown key does nothing.
    void onToolbarButton(const QString &key);

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
