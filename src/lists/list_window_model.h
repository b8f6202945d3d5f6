// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lists/record_item_model.h"
#include "records/record_file_reader.h"
#include "records/record_row.h"
#include "records/record_table.h"
#include "windowing/command_window.h"

// The toolbars of the record lists: "Save" of the live list and the logger set, "Plot",
// "Print" and "Plot All Parts" of an opened file, "Export CSV" of all three.
enum class ListCommand { Save, Plot, Print, ExportCsv, PlotAll };

// One of the three record list windows: the live list "Real Time List", the opened file
// "FileList" and the logger set "Data List". It keeps the records (row 0 the first record,
// the headings apart) and shows them in its grid GridN, whose item model it tells of every
// change; what saves, prints, plots and exports the list reads the records.
class ListWindowModel : public CommandWindow<ListCommand> {
    Q_OBJECT

public:
    enum class Kind { List, FileList, DataList };
    static constexpr QLatin1StringView ListName{"List"};
    static constexpr QLatin1StringView FileListName{"FileList"};
    static constexpr QLatin1StringView DataListName{"DataList"};
    static constexpr int VisibleDataRows = 10;

    // Builds the headings; column 0 from the live type and unit of the moment.
    ListWindowModel(Kind kind, const QString &type, const QString &unit, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }

    const RecordTable &records() const { return m_records; }
    // The five column headings, as a record file's heading line holds them.
    RecordRow headingRow() const;
    // The item model of the grid, for views.
    RecordItemModel &grid() { return m_grid; }

    void appendRow(const RecordRow &cells);
    // Reads the next line of a record file into the list: its heading field becomes the
    // heading of column 0, a record line a new row.
    RecordFileReader::Step readNext(RecordFileReader &reader);
    void setColumn0Heading(const QString &text);
    void clearRows();

    // The record file the list was opened from; empty for the other lists.
    QString openedFile() const { return m_openedFile; }
    void setOpenedFile(const QString &path) { m_openedFile = path; }

    // While a file is still loading into the list, what reads the whole list (its
    // "Print", "Plot", "Plot All Parts" and "Export CSV") waits: those buttons are disabled
    // until the load has ended.
    void setLoading(bool loading);

    // The first record in view (0-based). The live list moves it down by one per sample
    // once it holds more rows than it shows; the user moves it with the scroll bar. It
    // never passes the row from which the last rows fill the view.
    int firstVisibleRow() const { return m_firstVisibleRow; }
    void scrollTo(int firstVisibleRow);
    void scrollDown() { scrollTo(m_firstVisibleRow + 1); }

signals:
    void firstVisibleRowChanged();

private:
    Kind m_kind;
    RecordTable m_records;
    RecordItemModel m_grid{m_records};
    int m_firstVisibleRow = 0;
    QString m_openedFile;
};
