// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/record_table.h"

#include <QAbstractTableModel>

// The item model of a list window's grid GridN: a row per record of the RecordTable the
// window keeps, five columns under its headings. The window tells it what changed. Rows
// appended are announced to views in batches (one queued announcement for all rows added
// meanwhile), since single inserts of 345,600 loaded records would cost a view far more
// than the load itself.
class RecordItemModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RecordItemModel(const RecordTable &records, QObject *parent = nullptr);

    // Rows announced so far: at most the records' rowCount().
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Records were appended: they are announced once events run, with all appended until then.
    void recordsAppended() {
        if (!m_publishQueued)
            schedulePublish();
    }
    // Announces every record appended since the last announcement, now.
    void publishRows();
    // The heading of a column changed.
    void headingChanged(int column);
    // Around the removal of all records (the headings stay): views start afresh.
    void beginClear();
    void endClear();

private:
    void schedulePublish();

    const RecordTable &m_records;
    int m_announcedRows = 0;
    bool m_publishQueued = false;
};
