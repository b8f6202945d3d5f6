#pragma once

#include "records/record_row.h"
#include "records/record_table_model.h"
#include "windowing/window_model.h"

// One of the three record list windows: the live list "Real Time List", the opened file
// "FileList" and the logger set "Data List". Five columns under a heading row; rows are
// addressed as the saves, the printout and the plot see them: row 0 is the heading row.
class RecordListModel : public WindowModel {
    Q_OBJECT

public:
    enum class Kind { List, FileList, DataList };
    static constexpr int VisibleDataRows = 10;
    // The key of the "Export CSV" button that every list has.
    static inline const QString ExportCsvKey = QStringLiteral("ExportCsv");

    // The window's name for each kind: "List", "FileList" or "DataList".
    static QString windowName(Kind kind);

    // Builds the headings; column 0 from the live type and unit of the moment.
    RecordListModel(Kind kind, const QString &type, const QString &unit, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }

    RecordTableModel &table() { return m_table; }
    const RecordTableModel &table() const { return m_table; }
    // The heading row and the data rows.
    int rowCount() const { return m_table.table().rowCount() + 1; }
    QString cell(int column, int row) const;
    RecordRow row(int row) const;

    void appendRow(const RecordRow &cells);
    void setColumn0Heading(const QString &text) { m_table.setHeading(0, text); }
    void clearRows();

    // The record file the list was opened from; empty for the other lists.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &path) { m_fileName = path; }

    // While a file is still loading into the list, what reads the whole list (its
    // "Print", "Plot", "Plot All Parts" and "Export CSV") waits: those buttons are disabled
    // until the load has ended.
    void setLoading(bool loading);
    bool isLoading() const { return m_loading; }

    // The first data row in view (0-based). The live list moves it down by one per sample
    // once it holds more rows than it shows; the user moves it with the scroll bar. It
    // never passes the row from which the last rows fill the view.
    int firstVisibleRow() const { return m_firstVisibleRow; }
    void scrollTo(int firstVisibleRow);
    void scrollDown() { scrollTo(m_firstVisibleRow + 1); }

signals:
    void firstVisibleRowChanged();

private:
    Kind m_kind;
    RecordTableModel m_table;
    int m_firstVisibleRow = 0;
    bool m_loading = false;
    QString m_fileName;
};
