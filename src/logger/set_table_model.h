// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "logger/set_table.h"

#include <QAbstractTableModel>

// Item model of GridSet: one row per set of a SetTable under the heading row "Set",
// "Rec Time", "Sampling", "Records". A download fills it once; it does not change after.
class SetTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 4;

    explicit SetTableModel(QObject *parent = nullptr);

    const SetTable &sets() const { return m_sets; }
    void setSets(SetTable sets);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    SetTable m_sets;
};
