// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lists/record_item_model.h"

RecordItemModel::RecordItemModel(const RecordTable &records, QObject *parent)
    : QAbstractTableModel(parent)
    , m_records(records) {}

int RecordItemModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_announcedRows;
}

int RecordItemModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : RecordColumnCount;
}

QVariant RecordItemModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_records.cell(index.column(), index.row());
    case Qt::TextAlignmentRole:
        // Numbers line up on their last digit; the date-time reads from the left.
        return int(Qt::AlignVCenter | (index.column() == 1 ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant RecordItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < RecordColumnCount)
        return m_records.heading(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RecordItemModel::headingChanged(int column) {
    if (column >= 0 && column < RecordColumnCount)
        emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordItemModel::schedulePublish() {
    m_publishQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_publishQueued = false;
            publishRows();
        },
        Qt::QueuedConnection);
}

void RecordItemModel::publishRows() {
    const int rows = m_records.rowCount();
    if (rows <= m_announcedRows)
        return;
    beginInsertRows(QModelIndex(), m_announcedRows, rows - 1);
    m_announcedRows = rows;
    endInsertRows();
}

void RecordItemModel::beginClear() {
    beginResetModel();
}

void RecordItemModel::endClear() {
    m_announcedRows = m_records.rowCount();
    endResetModel();
}
