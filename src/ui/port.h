// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;

// The port chooser "COM Port": the first window of every run.
class Port : public QDialog {
    Q_OBJECT

public:
    // deviceOf tells which serial device a port number stands for (empty: none).
    explicit Port(std::function<QString(int)> deviceOf, QWidget *parent = nullptr);

    QString chosenText() const;

signals:
    // OK was pressed; the text of TxtCOM as the user left it.
    void chosen(const QString &text);

private:
    void showDevice();

    std::function<QString(int)> m_deviceOf;
    QComboBox *m_combo = nullptr;
    QLabel *m_device = nullptr;
};
