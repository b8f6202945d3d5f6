// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lists/list_window_model.h"

#include <algorithm>

namespace {

QLatin1StringView nameOf(ListWindowModel::Kind kind) {
    switch (kind) {
    case ListWindowModel::Kind::List:
        return ListWindowModel::ListName;
    case ListWindowModel::Kind::FileList:
        return ListWindowModel::FileListName;
    case ListWindowModel::Kind::DataList:
        break;
    }
    return ListWindowModel::DataListName;
}

QString captionOf(ListWindowModel::Kind kind) {
    switch (kind) {
    case ListWindowModel::Kind::List:
        return QStringLiteral("Real Time List");
    case ListWindowModel::Kind::FileList:
        return ListWindowModel::FileListName; // until a file is loaded: its name
    case ListWindowModel::Kind::DataList:
        return QStringLiteral("Data List");
    }
    return {};
}

QList<ToolButton> toolbarOf(ListWindowModel::Kind kind) {
    const auto button = [](ListCommand command, ToolKey key, const char *tooltip,
                           const char *picture) {
        return ToolButton{int(command), key, QLatin1String(tooltip), QLatin1String(picture)};
    };
    // Every list exports its rows as CSV, from the button after its own ones.
    const ToolButton exportCsv =
        button(ListCommand::ExportCsv, ToolKeys::ExportCsv, "Export CSV", "csv");
    switch (kind) {
    case ListWindowModel::Kind::List:
        return {button(ListCommand::Save, ToolKeys::Save, "Save As", "save"), exportCsv};
    case ListWindowModel::Kind::FileList: {
        // Offered only when the opened file has continuation files beside it.
        ToolButton plotAll =
            button(ListCommand::PlotAll, ToolKeys::PlotAll, "Plot All Parts", "parts");
        plotAll.visible = false;
        return {button(ListCommand::Plot, ToolKeys::Plot, "Graphic Plot", "graph"),
                button(ListCommand::Print, ToolKeys::Print, "Print", "print"), exportCsv, plotAll};
    }
    case ListWindowModel::Kind::DataList:
        return {button(ListCommand::Save, ToolKeys::Save, "Save", "save"), exportCsv};
    }
    return {};
}

} // namespace

ListWindowModel::ListWindowModel(Kind kind, const QString &type, const QString &unit,
                                 QObject *parent)
    : CommandWindow(nameOf(kind), captionOf(kind), toolbarOf(kind), parent)
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
    for (ListCommand command :
         {ListCommand::Print, ListCommand::Plot, ListCommand::PlotAll, ListCommand::ExportCsv})
        setEnabled(command, !loading);
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
