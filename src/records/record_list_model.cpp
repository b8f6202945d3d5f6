#include "records/record_list_model.h"

#include <algorithm>

namespace {

QString captionOf(RecordListModel::Kind kind) {
    switch (kind) {
    case RecordListModel::Kind::List:
        return QStringLiteral("Real Time List");
    case RecordListModel::Kind::FileList:
        return QStringLiteral("FileList");
    case RecordListModel::Kind::DataList:
        return QStringLiteral("Data List");
    }
    return {};
}

QList<ToolButton> toolbarOf(RecordListModel::Kind kind) {
    // Every list exports its rows as CSV, from the button after its own ones.
    const auto exportCsv = [](int image) {
        return ToolButton{RecordListModel::ExportCsvKey, QStringLiteral("Export CSV"), image};
    };
    switch (kind) {
    case RecordListModel::Kind::List:
        return {{QStringLiteral("Save"), QStringLiteral("Save As"), 1}, exportCsv(2)};
    case RecordListModel::Kind::FileList:
        return {{QStringLiteral("Plot"), QStringLiteral("Graphic Plot"), 1},
                {QStringLiteral("Print"), QStringLiteral("Print"), 2},
                exportCsv(3),
                // Offered only when the opened file has continuation files beside it.
                {QStringLiteral("PlotAll"), QStringLiteral("Plot All Parts"), 4, true, false}};
    case RecordListModel::Kind::DataList:
        return {{QStringLiteral("Save"), QStringLiteral("Save"), 1}, exportCsv(2)};
    }
    return {};
}

} // namespace

QString RecordListModel::windowName(Kind kind) {
    switch (kind) {
    case Kind::List:
        return QStringLiteral("List");
    case Kind::FileList:
        return QStringLiteral("FileList");
    case Kind::DataList:
        return QStringLiteral("DataList");
    }
    return {};
}

RecordListModel::RecordListModel(Kind kind, const QString &type, const QString &unit,
                                 QObject *parent)
    : WindowModel(windowName(kind), captionOf(kind), toolbarOf(kind), parent)
    , m_kind(kind) {
    const RecordRow headings = headingRow(type, unit);
    for (int column = 0; column < RecordColumnCount; ++column)
        m_table.setHeading(column, headings[column]);
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

void RecordListModel::setLoading(bool loading) {
    m_loading = loading;
    for (const QString &key : {QStringLiteral("Print"), QStringLiteral("Plot"),
                               QStringLiteral("PlotAll"), ExportCsvKey})
        setToolButtonEnabled(key, !loading);
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
