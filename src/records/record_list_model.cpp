#include "records/record_list_model.h"

#include <algorithm>

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

QString RecordListModel::caption() const {
    m_captionNotified = false;
    if (m_progressCount < 0)
        return m_caption;
    return QString::number(m_progressCount) + (m_progress == Progress::Completed
                                                   ? QStringLiteral(" Completed")
                                                   : QStringLiteral(" Records Completed"));
}

void RecordListModel::setCaption(const QString &caption) {
    m_caption = caption;
    m_progressCount = -1;
    notifyCaption();
}

void RecordListModel::setProgress(int count, Progress progress) {
    m_progressCount = count;
    m_progress = progress;
    notifyCaption();
}

void RecordListModel::notifyCaption() {
    if (m_captionNotified)
        return;
    m_captionNotified = true;
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
    // The last rows fill the view at most: after a dump has emptied the live list, its
    // next row must be in view, not scrolled past.
    const int lastFirstRow = std::max(0, m_table.table().rowCount() - VisibleDataRows);
    firstVisibleRow = std::clamp(firstVisibleRow, 0, lastFirstRow);
    if (firstVisibleRow == m_firstVisibleRow)
        return;
    m_firstVisibleRow = firstVisibleRow;
    emit firstVisibleRowChanged();
}
