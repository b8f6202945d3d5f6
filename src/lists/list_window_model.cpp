#include "lists/list_window_model.h"

#include <algorithm>

namespace {

QString captionOf(ListWindowModel::Kind kind) {
    switch (kind) {
    case ListWindowModel::Kind::List:
        return QStringLiteral("Real Time List");
    case ListWindowModel::Kind::FileList:
        return QStringLiteral("FileList");
    case ListWindowModel::Kind::DataList:
        return QStringLiteral("Data List");
    }
    return {};
}

QList<ToolButton> toolbarOf(ListWindowModel::Kind kind) {
    // Every list exports its rows as CSV, from the button after its own ones.
    const auto exportCsv = [](int image) {
        return ToolButton{ListWindowModel::ExportCsvKey, QStringLiteral("Export CSV"), image};
    };
    switch (kind) {
    case ListWindowModel::Kind::List:
        return {{QStringLiteral("Save"), QStringLiteral("Save As"), 1}, exportCsv(2)};
    case ListWindowModel::Kind::FileList:
        return {{QStringLiteral("Plot"), QStringLiteral("Graphic Plot"), 1},
                {QStringLiteral("Print"), QStringLiteral("Print"), 2},
                exportCsv(3),
                // Offered only when the opened file has continuation files beside it.
                {QStringLiteral("PlotAll"), QStringLiteral("Plot All Parts"), 4, true, false}};
    case ListWindowModel::Kind::DataList:
        return {{QStringLiteral("Save"), QStringLiteral("Save"), 1}, exportCsv(2)};
    }
    return {};
}

} // namespace

QString ListWindowModel::windowName(Kind kind) {
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

ListWindowModel::ListWindowModel(Kind kind, const QString &type, const QString &unit,
                                 QObject *parent)
    : WindowModel(windowName(kind), captionOf(kind), toolbarOf(kind), parent)
    , m_kind(kind) {
    const RecordRow headings = ::headingRow(type, unit);
    for (int column = 0; column < RecordColumnCount; ++column)
        m_records.setHeading(column, headings[column]);
}

RecordRow ListWindowModel::headingRow() const {
    RecordRow cells;
    for (int column = 0; column < RecordColumnCount; ++column)
        cells[column] = m_records.heading(column);
    return cells;
}

void ListWindowModel::appendRow(const RecordRow &cells) {
    if (m_records.appendRow(cells))
        m_grid.recordsAppended();
}

RecordFileReader::Step ListWindowModel::readNext(RecordFileReader &reader) {
    const RecordFileReader::Step step = reader.readNext(m_records);
    switch (step) {
    case RecordFileReader::Step::Heading:
        setColumn0Heading(reader.headingField());
        break;
    case RecordFileReader::Step::Record:
        m_grid.recordsAppended();
        break;
    case RecordFileReader::Step::End:
    case RecordFileReader::Step::Unsplittable:
    case RecordFileReader::Step::ReadError:
        m_grid.publishRows();
        break;
    }
    return step;
}

void ListWindowModel::setColumn0Heading(const QString &text) {
    m_records.setHeading(0, text);
    m_grid.headingChanged(0);
}

void ListWindowModel::clearRows() {
    m_grid.beginClear();
    m_records.clear();
    m_grid.endClear();
    scrollTo(0);
}

void ListWindowModel::setLoading(bool loading) {
    m_loading = loading;
    for (const QString &key :
         {QStringLiteral("Print"), QStringLiteral("Plot"), QStringLiteral("PlotAll"), ExportCsvKey})
        setToolButtonEnabled(key, !loading);
}

void ListWindowModel::scrollTo(int firstVisibleRow) {
    // The last rows fill the view at most: after a dump has emptied the live list, its
    // next row must be in view, not scrolled past.
    const int lastFirstRow = std::max(0, m_records.rowCount() - VisibleDataRows);
    firstVisibleRow = std::clamp(firstVisibleRow, 0, lastFirstRow);
    if (firstVisibleRow == m_firstVisibleRow)
        return;
    m_firstVisibleRow = firstVisibleRow;
    emit firstVisibleRowChanged();
}
