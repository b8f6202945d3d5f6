// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/graph_window.h"

class ListPlotModel;

// The view of the file plot; its range panel holds the frames "Temperature" (Min, Max)
// and "No.s" (From, To). Dragging across the plot zooms into the span dragged over (shown
// as a band while the button is down); a double click or Backspace returns to the whole
// file.
class ListPlot : public GraphWindow {
    Q_OBJECT

public:
    explicit ListPlot(ListPlotModel &model, QWidget *parent = nullptr);

    // A drag shorter than this is a click, not a span.
    static constexpr int MinDragPixels = 3;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintLayer(QPainter &painter) override;

private:
    QRect bandRect() const;
    double clampedX(double x) const;

    QPointer<ListPlotModel> m_plot;
    bool m_dragging = false;
    double m_dragFrom = 0;
    double m_dragTo = 0;
};
