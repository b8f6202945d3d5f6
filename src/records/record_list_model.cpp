#include "records/record_list_model.h"

RecordListModel::RecordListModel(Kind kind, const QString &type, const QString &unit,
                                 QObject *parent)
    : QObject(parent)
    , m_kind(kind) {
    static const QMap<Kind, QString> captions{{Kind::List, QStringLiteral("Real Time List")},
                                              {Kind::FileList, QStringLiteral("FileList")},
                                              {Kind::DataList, QStringLiteral("Data List")}};
    m_caption = captions.value(kind);
    const RecordRow headings = headingRow(type, unit);
    for (int column = 0; column < RecordColumnCount; ++column)
        m_table.setHeading(column, headings[column]);
}

QString RecordListModel::windowName() const {
    switch (m_kind) {
    case Kind::List:
        return QStringLiteral("List");
    case Kind::FileList:
        return QStringLiteral("FileList");
    case Kind::DataList:
        return QStringLiteral("DataList");
    }
    return {};
}

QList<ToolButton> RecordListModel::toolbar() const {
    switch (m_kind) {
    case Kind::List:
        return {{QStringLiteral("Save"), QStringLiteral("Save As"), 1}};
    case Kind::FileList:
        return {{QStringLiteral("Plot"), QStringLiteral("Graphic Plot"), 1},
                {QStringLiteral("Print"), QStringLiteral("Print"), 2}};
    case Kind::DataList:
        return {{QStringLiteral("Save"), QStringLiteral("Save"), 1}};
    }
    return {};
}

void RecordListModel::setCaption(const QString &caption) {
    m_caption = caption;
    emit captionChanged();
}

QString RecordListModel::cell(int column, int row) const {
    return row == 0 ? m_table.table().heading(column) : m_table.table().cell(column, row - 1);
}

RecordRow RecordListModel::row(int row) const {
    RecordRow cells;
    for (int column = 0; column < RecordColumnCount; ++column)
        cells[column] = cell(column, row);
    return cells;
}

void RecordListModel::appendRow(const RecordRow &cells) {
    m_table.table().appendRow(cells);
}

void RecordListModel::clearRows() {
    m_table.clearRows();
    scrollTo(0);
}

void RecordListModel::scrollTo(int firstVisibleRow) {
    if (firstVisibleRow == m_firstVisibleRow)
        return;
    m_firstVisibleRow = firstVisibleRow;
    emit firstVisibleRowChanged();
}
