// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPushButton>

// MSize, the panel "Memory Size": its caption and the used share of the meter's memory as a
// fill from the left, in the colours of the legend "Used" and "Unused". It is pressed like a
// button (the mouse, Space or Enter with the focus, the press action of assistive
// technology), which asks to erase the memory; its caption is its accessible name.
class MemoryGauge : public QPushButton {
    Q_OBJECT

public:
    static const QColor UsedColour;
    static const QColor UnusedColour;

    explicit MemoryGauge(QWidget *parent = nullptr);

    int percent() const { return m_percent; }
    // Also the caption, "Memory Size  43 %", which text() gives.
    void setPercent(int percent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static QString caption(int percent);

    int m_percent = 0;
};
