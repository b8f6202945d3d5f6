#pragma once

#include <QString>

class Program;
class RecordFileReader;
class RecordListModel;

// The main window's toolbar: record, open a file, set the sampling time, open the lists.
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
    // Reads the records into the list, letting events run after each; false when the
    // list was closed or the program is ending meanwhile.
    bool readInto(RecordFileReader &reader, RecordListModel *list);

    Program &m_program;
};
