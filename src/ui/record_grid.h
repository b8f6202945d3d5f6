// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>

class QAbstractItemModel;
class QScrollBar;
class QTableView;
class VisibleRowsModel;

// The table of a record list: the grid GridN of five columns and, beside it, the scroll bar
// over all the records. The grid is handed only the rows in sight (VisibleRowsModel), so a
// list of millions of records costs the view no more than one of ten. The scroll bar, the
// mouse wheel and the keys (arrows, Page Up and Down, Ctrl+Home and Ctrl+End) move the
// first row shown; whoever owns the list says which row that is (setFirstRow).
class RecordGrid : public QFrame {
    Q_OBJECT

public:
    explicit RecordGrid(QAbstractItemModel &records, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }
    QScrollBar *scrollBar() const { return m_scrollBar; }
    // The record shown in the grid's first row, 0-based.
    int firstRow() const;
    void setFirstRow(int row);
    // Rows the grid shows whole.
    int fullRows() const;

signals:
    // The user asks for another first row.
    void scrollRequested(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitPage();
    void updateScrollRange();
    // The keys that move through the records; false when the key is not one of them.
    bool moveByKey(int key, Qt::KeyboardModifiers modifiers);

    VisibleRowsModel *m_rows = nullptr;
    QTableView *m_table = nullptr;
    QScrollBar *m_scrollBar = nullptr;
    bool m_following = false;
};
