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

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    RecordTableModel &table() { return m_table; }
    // The heading row and the data rows.
    int rowCount() const { return m_table.table().rowCount() + 1; }
    QString cell(int column, int row) const;
    RecordRow row(int row) const;

    void appendRow(const RecordRow &cells);
    void setColumn0Heading(const QString &text) { m_table.setHeading(0, text); }
    void clearRows();

    // The first data row in view (0-based). The live list moves it down by one per sample
    // once it holds more rows than it shows; the user moves it with the scroll bar.
    int firstVisibleRow() const { return m_firstVisibleRow; }
    void scrollTo(int firstVisibleRow);
    void scrollDown() { scrollTo(m_firstVisibleRow + 1); }

signals:
    void captionChanged();
    void firstVisibleRowChanged();

private:
    Kind m_kind;
    QString m_caption;
    RecordTableModel m_table;
    int m_firstVisibleRow = 0;
};
