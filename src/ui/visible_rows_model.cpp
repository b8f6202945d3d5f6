// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/visible_rows_model.h"

#include <algorithm>

VisibleRowsModel::VisibleRowsModel(QAbstractItemModel &source, QObject *parent)
    : QAbstractTableModel(parent)
    , m_source(&source)
    , m_columns(source.columnCount()) {
    connect(&source, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first) {
                sync(m_first, m_pageRows, first < m_first + m_count);
                emit sourceRowCountChanged();
            });
    connect(&source, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex &, int first) {
                sync(m_first, m_pageRows, first < m_first + m_count);
                emit sourceRowCountChanged();
            });
    connect(&source, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        beginResetModel();
        m_resetting = true;
    });
    connect(&source, &QAbstractItemModel::modelReset, this, [this] {
        m_columns = m_source->columnCount();
        m_count = countFor(m_first, m_pageRows);
        m_resetting = false;
        endResetModel();
        emit sourceRowCountChanged();
    });
    connect(&source, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight,
                   const QList<int> &roles) {
                const int top = std::max(topLeft.row() - m_first, 0);
                const int bottom = std::min(bottomRight.row() - m_first, m_count - 1);
                if (top <= bottom)
                    emit dataChanged(index(top, topLeft.column()),
                                     index(bottom, bottomRight.column()), roles);
            });
    connect(&source, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation == Qt::Horizontal)
                    emit headerDataChanged(orientation, first, last);
            });
}

int VisibleRowsModel::countFor(int firstRow, int pageRows) const {
    return std::clamp(sourceRowCount() - firstRow, 0, std::max(pageRows, 0));
}

void VisibleRowsModel::show(int firstRow, int pageRows) {
    firstRow = std::max(firstRow, 0);
    sync(firstRow, pageRows, firstRow != m_first);
}

void VisibleRowsModel::sync(int firstRow, int pageRows, bool contentsChanged) {
    if (m_resetting)
        return;
    const int count = countFor(firstRow, pageRows);
    // Rows go from the end first, then the rows kept show their new records, then rows
    // come at the end: at each step the rows a view knows hold what it was told.
    if (count < m_count) {
        beginRemoveRows(QModelIndex(), count, m_count - 1);
        m_count = count;
        endRemoveRows();
    }
    m_first = firstRow;
    m_pageRows = pageRows;
    if (contentsChanged && m_count > 0)
        emit dataChanged(index(0, 0), index(m_count - 1, m_columns - 1));
    if (count > m_count) {
        beginInsertRows(QModelIndex(), m_count, count - 1);
        m_count = count;
        endInsertRows();
    }
}

int VisibleRowsModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_count;
}

int VisibleRowsModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_columns;
}

QVariant VisibleRowsModel::data(const QModelIndex &index, int role) const {
    if (!m_source ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return m_source->index(m_first + index.row(), index.column()).data(role);
}

QVariant VisibleRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!m_source)
        return {};
    if (orientation == Qt::Vertical)
        return m_source->headerData(m_first + section, orientation, role);
    return m_source->headerData(section, orientation, role);
}
