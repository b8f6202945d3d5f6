#pragma once

#include "program/tool_button.h"
#include "records/record_row.h"
#include "records/record_table_model.h"

#include <QObject>

// One of the three record list windows: the live list "Real Time List", the opened file
// "FileList" and the logger set "Data List". Five columns under a heading row; rows are
// addressed as the saves, the printout and the plot see them: row 0 is the heading row.
class RecordListModel : public QObject {
    Q_OBJECT

public:
    enum class Kind { List, FileList, DataList };
    static constexpr int VisibleDataRows = 10;

    // Builds the headings; column 0 from the live type and unit of the moment.
    RecordListModel(Kind kind, const QString &type, const QString &unit, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    // The window's object name: "List", "FileList" or "DataList".
    QString windowName() const;
    QList<ToolButton> toolbar() const;

    enum class Progress { Completed, RecordsCompleted };
    QString caption() const;
    void setCaption(const QString &caption);
    // The caption of long operations: "17 Completed" while a file loads, "17 Records
    // Completed" while a list is saved or printed. Set once per record, so the text is
    // only made when the caption is read.
    void setProgress(int count, Progress progress);

    RecordTableModel &table() { return m_table; }
    // The heading row and the data rows.
    int rowCount() const { return m_table.table().rowCount() + 1; }
    QString cell(int column, int row) const;
    RecordRow row(int row) const;

    void appendRow(const RecordRow &cells);
    void setColumn0Heading(const QString &text) { m_table.setHeading(0, text); }
    void clearRows();

    // The first data row in view (0-based). The live list moves it down by one per sample
    // once it holds more rows than it shows; the user moves it with the scroll bar. It
    // never passes the row from which the last rows fill the view.
    int firstVisibleRow() const { return m_firstVisibleRow; }
    void scrollTo(int firstVisibleRow);
    void scrollDown() { scrollTo(m_firstVisibleRow + 1); }

signals:
    // Sent once until the caption is read again: a view that reads it when events run
    // learns of every change without a signal per record.
    void captionChanged();
    void firstVisibleRowChanged();

private:
    Kind m_kind;
    void notifyCaption();

    QString m_caption;
    int m_progressCount = -1; // -1: the caption is m_caption itself
    Progress m_progress = Progress::Completed;
    mutable bool m_captionNotified = false;
    RecordTableModel m_table;
    int m_firstVisibleRow = 0;
};
