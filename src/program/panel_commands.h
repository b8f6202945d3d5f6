#pragma once

#include <QString>

class Program;

// The main window's toolbar: record, open a file into FileList, set the sampling time,
// open the live list.
class PanelCommands {
public:
    explicit PanelCommands(Program &program);

    // Dispatches on the button key; an unknown key does nothing.
    void onToolbarButton(const QString &key);

    void save();
    void open();
    void sample();
    void list();

private:
    Program &m_program;
};
