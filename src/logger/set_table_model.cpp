// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/set_table_model.h"

#include <array>

namespace {

const std::array<QString, SetTableModel::ColumnCount> Headings{
    QStringLiteral("Set"), QStringLiteral("Rec Time"), QStringLiteral("Sampling"),
    QStringLiteral("Records")};

} // namespace

SetTableModel::SetTableModel(QObject *parent)
    : QAbstractTableModel(parent) {}

void SetTableModel::setSets(SetTable sets) {
    beginResetModel();
    m_sets = std::move(sets);
    endResetModel();
}

int SetTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_sets.count();
}

int SetTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SetTableModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (index.column() == 1 ? Qt::AlignLeft : Qt::AlignRight));
    if (role != Qt::DisplayRole)
        return {};
    const int number = index.row() + 1;
    const LoggerSet &set = m_sets.set(number);
    switch (index.column()) {
    case 0:
        return QString::number(number);
    case 1:
        return set.SetTime;
    case 2:
        return QString::number(set.SetSampling);
    case 3:
        return QString::number(set.SetRecords);
    }
    return {};
}

QVariant SetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return Headings[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}
