// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label that does something when clicked: the mouse, Space or Enter while it has the
// keyboard focus (Tab reaches it), and the press action of assistive technology all press
// it. It shows the focus with a dotted frame.
class PressableLabel : public QLabel {
    Q_OBJECT

public:
    explicit PressableLabel(QWidget *parent = nullptr);

    // Presses it as a click does.
    void press();

signals:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
