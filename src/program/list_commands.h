// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Program;
class ListWindowModel;
enum class ListCommand;

// The toolbars of the record list windows: "Save" of the live list and the logger list,
// "Print", "Plot" and "Plot All Parts" of an opened file, "Export CSV" of all three.
class ListCommands {
public:
    explicit ListCommands(Program &program);

    // Carries out a command of the list's toolbar; one the window lacks or has disabled
    // does nothing.
    void run(ListWindowModel *list, ListCommand command);

    // Writes the list to a chosen record file, the heading row first. The live list
    // closes once saved; a list whose file cannot be written stays as it is.
    void save(ListWindowModel *list);
    // Writes the list's records to a chosen CSV file for spreadsheets and scripts; the
    // list stays open. A file that cannot be written is named with the reason, and no
    // piece of it is left behind.
    void exportCsv(ListWindowModel *list);
    // Prints an opened file as a table of fixed-pitch lines.
    void print(ListWindowModel *list);
    // Opens the file plot of an opened file, in the unit and type of its heading; nothing
    // while a plot is open or when the list holds no record. The plot closes with the list.
    void plot(ListWindowModel *list);
    // Opens the file plot of the whole recording the opened file began: its records and
    // those of its continuation files, read into one table. A part that is missing before
    // a later one (the later one's records do not go on from those before), cannot be read
    // or is of another type or unit ends the run at the part before it, with a message
    // naming it. Nothing while a plot is open.
    void plotAllParts(ListWindowModel *list);

private:
    Program &m_program;
};
