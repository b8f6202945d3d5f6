// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class MemoryModel;
class MemoryGauge;
class QLabel;
class QProgressBar;
class QTableView;

// The view of the data-logger window "Data Logger": GridSet with the sets of the download,
// MBar, the memory gauge MSize with its legend and LblMemorySize, SSPanel2, and CmdCompare
// and Grid, which have no behaviour. A click on a set row (or Enter on it), and a press of
// MSize or SSPanel2 (mouse, Space, Enter or assistive technology) go to the model.
class Memory : public QWidget {
    Q_OBJECT

public:
    // The texts whose widths give GridSet's columns.
    static const QStringList WidthSamples;

    explicit Memory(MemoryModel &model, QWidget *parent = nullptr);

    QTableView *gridSet() const { return m_gridSet; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableView *buildGridSet();
    QWidget *buildMemoryPanel();
    QWidget *legend(const char *name, const QString &text, const QColor &colour);
    void refresh();

    MemoryModel &m_model;
    QTableView *m_gridSet = nullptr;
    QProgressBar *m_bar = nullptr;
    MemoryGauge *m_size = nullptr;
    QLabel *m_capacity = nullptr;
};
