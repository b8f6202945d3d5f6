// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

class RecordGrid;
class ListWindowModel;
class QScrollBar;
class QTableView;

// The view of a record list window: a toolbar and one table of five columns that scroll
// together, sized to show the heading row and ten records; the table is handed only the
// records in sight, however many the list holds.
class ListWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ListWindow(ListWindowModel &model, QWidget *parent = nullptr);

    QTableView *table() const;
    // The scroll bar over all the records.
    QScrollBar *scrollBar() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTable();
    void scheduleTitle();
    void showFirstVisibleRow();

    ListWindowModel &m_model;
    RecordGrid *m_grid = nullptr;
    bool m_titlePending = false;
};
