#pragma once

#include "link/live_values.h"

#include <QString>

// The program-wide state that every window reads: the meter's live values, the
// window-open flags, the recording and live-list state. One instance, owned by Program.
struct ProgramState : LiveValues {
    int PortNumber = 0;

    bool ListOpen = false;
    bool FileListOpen = false;
    bool GraphOpen = false;
    bool PlotOpen = false;
    bool MemoryOpen = false;
    bool DataListOpen = false;

    bool Recording = false;
    int RecordCount = 0;
    int FilePart = 0;
    QString RecordType;
    QString RecordUnit;

    bool FileChosen = false;
    QString ChosenFileName;

    int ListCount = 0;
    QString ListUnit;
    QString GraphUnit;
    QString PlotUnit;
    QString PlotType;

    // What the main window resets when it loads.
    void resetFlags() {
        ListOpen = GraphOpen = FileListOpen = PlotOpen = MemoryOpen = DataListOpen = false;
        Recording = false;
        FileChosen = false;
        status.ShowAvg = false;
    }
};
