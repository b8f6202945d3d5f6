#pragma once

#include "records/record_table.h"

#include <QAbstractTableModel>

// Item model of a record list over the RecordTable it owns: five columns headed by the
// table's headings. Rows appended to the table are announced to views in batches (one
// queued announcement for all rows added meanwhile), since single inserts of 345,600
// loaded records would cost a view far more than the load itself.
class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RecordTableModel(QObject *parent = nullptr);

    // Append rows here; clear and set headings through the model so views follow.
    RecordTable &table() { return m_table; }
    const RecordTable &table() const { return m_table; }

    // Rows announced so far: at most table().rowCount().
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeading(int column, const QString &text);
    // Announces every row appended since the last announcement, now.
    void publishRows();
    // Removes all data rows (headings stay) and resets the model.
    void clearRows();

private:
    void schedulePublish();

    RecordTable m_table;
    int m_announcedRows = 0;
    bool m_publishQueued = false;
};
