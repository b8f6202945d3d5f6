#include "records/record_table_model.h"

RecordTableModel::RecordTableModel(QObject *parent)
    : QAbstractTableModel(parent) {
    m_table.setRowsAddedCallback([this] { schedulePublish(); });
    m_table.armRowsAddedCallback();
}

int RecordTableModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_announcedRows;
}

int RecordTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : RecordColumnCount;
}

QVariant RecordTableModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_table.cell(index.column(), index.row());
    case Qt::TextAlignmentRole:
        // Numbers line up on their last digit; the date-time reads from the left.
        return int(Qt::AlignVCenter | (index.column() == 1 ? Qt::AlignLeft : Qt::AlignRight));
    default:
        return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < RecordColumnCount)
        return m_table.heading(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void RecordTableModel::setHeading(int column, const QString &text) {
    if (column < 0 || column >= RecordColumnCount)
        return;
    m_table.setHeading(column, text);
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void RecordTableModel::schedulePublish() {
    if (m_publishQueued)
        return;
    m_publishQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_publishQueued = false;
            publishRows();
        },
        Qt::QueuedConnection);
}

void RecordTableModel::publishRows() {
    const int rows = m_table.rowCount();
    if (rows < m_announcedRows) {
        // The table was cleared behind the model's back: start over rather than lie.
        beginResetModel();
        m_announcedRows = rows;
        endResetModel();
    } else if (rows > m_announcedRows) {
        beginInsertRows(QModelIndex(), m_announcedRows, rows - 1);
        m_announcedRows = rows;
        endInsertRows();
    }
    m_table.armRowsAddedCallback();
}

void RecordTableModel::clearRows() {
    beginResetModel();
    m_table.clear();
    m_announcedRows = 0;
    endResetModel();
    m_table.armRowsAddedCallback();
}
