#pragma once

#include <QMainWindow>

class ListWindowModel;
class QTableView;

// The view of a record list window: a toolbar and one table of five columns that scroll
// together, sized to show the heading row and ten records.
class ListWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ListWindow(ListWindowModel &model, QWidget *parent = nullptr);

    QTableView *table() const { return m_table; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTable();
    void scheduleTitle();
    void showFirstVisibleRow();

    ListWindowModel &m_model;
    QTableView *m_table = nullptr;
    bool m_titlePending = false;
    bool m_followingModel = false;
};
