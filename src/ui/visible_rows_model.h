// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractTableModel>
#include <QPointer>

// The rows of a table model that a view shows at one time: from a first row, as many as the
// view has room for. A view keeps bookkeeping for every row its model has (its vertical
// header a section each, 8 bytes a row), so a list of millions of rows would cost the view
// more than the rows themselves; handed only the rows in sight, its memory stays flat.
// Whoever shows it scrolls by moving the first row.
class VisibleRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit VisibleRowsModel(QAbstractItemModel &source, QObject *parent = nullptr);

    int firstRow() const { return m_first; }
    int pageRows() const { return m_pageRows; }
    // Shows the rows from this one of the source on: at most pageRows of them.
    void show(int firstRow, int pageRows);
    void setFirstRow(int firstRow) { show(firstRow, m_pageRows); }
    int sourceRowCount() const { return m_source ? m_source->rowCount() : 0; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The source has gained or lost rows: the range to scroll over has changed.
    void sourceRowCountChanged();

private:
    int countFor(int firstRow, int pageRows) const;
    // Announces the rows shown now: more or fewer at the end, new contents in the others.
    void sync(int firstRow, int pageRows, bool contentsChanged);

    QPointer<QAbstractItemModel> m_source;
    int m_first = 0;
    int m_pageRows = 0;
    int m_count = 0; // rows announced to views
    int m_columns = 0;
    bool m_resetting = false;
};
