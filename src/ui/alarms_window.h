// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class AlarmsModel;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;

// The view of the "Alarms" window: per channel (T1, T2, T1-T2) a row of the high limit and
// the low limit, each with its switch, and the hysteresis; the open-thermocouple switch;
// the alarms' text with "Acknowledge". Every edit goes to the model at once.
class AlarmsWindow : public QWidget {
    Q_OBJECT

public:
    explicit AlarmsWindow(AlarmsModel &model, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct Row {
        QCheckBox *high = nullptr;
        QDoubleSpinBox *highValue = nullptr;
        QCheckBox *low = nullptr;
        QDoubleSpinBox *lowValue = nullptr;
        QDoubleSpinBox *hysteresis = nullptr;
    };

    QDoubleSpinBox *valueBox(const QString &name, const QString &accessibleName, double minimum);
    void apply();
    void refresh();

    AlarmsModel &m_model;
    Row m_rows[3];
    QCheckBox *m_open = nullptr;
    QLabel *m_unit = nullptr;
    QLabel *m_text = nullptr;
    bool m_refreshing = false;
};
