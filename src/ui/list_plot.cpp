// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/list_plot.h"

#include "graphs/list_plot_model.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

ListPlot::ListPlot(ListPlotModel &model, QWidget *parent)
    : GraphWindow(model, ListPlotModel::DesignSize, model.PlotUnit(), parent)
    , m_plot(&model) {
    // Backspace reaches the window once it was clicked; a range box keeps its own.
    setFocusPolicy(Qt::ClickFocus);
    buildFunctionPanel(QPoint(8, 32));
    QFrame *range = buildRangePanel(QPoint(8, 32), QSize(273, 113));
    const struct {
        const char *frame;
        const char *title;
        const char *captions[2];
        const char *texts[2];
        QLatin1StringView boxes[2];
    } frames[] = {{"SSFrame1",
                   "Temperature",
                   {"SSPanel1", "SSPanel2"},
                   {"Min", "Max"},
                   {GraphControls::TxtMin, GraphControls::TxtMax}},
                  {"SSFrame2",
                   "No.s",
                   {"SSPanel3", "SSPanel4"},
                   {"From", "To"},
                   {GraphControls::TxtFrom, GraphControls::TxtTo}}};
    int left = 4;
    for (const auto &frame : frames) {
        auto *group = new QGroupBox(QLatin1String(frame.title), range);
        group->setObjectName(QLatin1String(frame.frame));
        group->setGeometry(left, 2, 130, 70);
        for (int i = 0; i < 2; ++i) {
            QLabel *caption = captionPanel(group, frame.captions[i], QLatin1String(frame.texts[i]));
            caption->setGeometry(6 + 60 * i, 20, 58, 19);
            QLineEdit *box = rangeBox(group, frame.boxes[i]);
            box->setGeometry(6 + 60 * i, 42, 58, 21);
            caption->setBuddy(box); // the box's name for assistive technology
        }
        left += 134;
    }
    rangeButton(range, true)->setGeometry(58, 78, 70, 28);
    rangeButton(range, false)->setGeometry(144, 78, 70, 28);
}

double ListPlot::clampedX(double x) const {
    const QRectF area = m_plot->state().plotArea();
    return std::clamp(x, area.left(), std::max(area.left(), area.right()));
}

void ListPlot::mousePressEvent(QMouseEvent *event) {
    if (m_plot && event->button() == Qt::LeftButton &&
        m_plot->state().plotArea().contains(event->position())) {
        m_dragging = true;
        m_dragFrom = m_dragTo = event->position().x();
    }
    GraphWindow::mousePressEvent(event);
}

void ListPlot::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging && m_plot) {
        const QRect before = bandRect();
        m_dragTo = clampedX(event->position().x());
        update(QRegion(before) + QRegion(bandRect()));
    }
    GraphWindow::mouseMoveEvent(event);
}

void ListPlot::mouseReleaseEvent(QMouseEvent *event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        update(bandRect());
        // The release ends the span, even when no move came before it.
        m_dragTo = clampedX(event->position().x());
        if (m_plot && std::abs(m_dragTo - m_dragFrom) >= MinDragPixels) {
            m_plot->zoomTo(m_dragFrom, m_dragTo);
            refreshReadout();
        }
    }
    GraphWindow::mouseReleaseEvent(event);
}

void ListPlot::mouseDoubleClickEvent(QMouseEvent *event) {
    if (m_plot && event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_plot->zoomOut();
        refreshReadout();
        return;
    }
    GraphWindow::mouseDoubleClickEvent(event);
}

void ListPlot::keyPressEvent(QKeyEvent *event) {
    if (m_plot && event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) {
        m_plot->zoomOut();
        refreshReadout();
        return;
    }
    GraphWindow::keyPressEvent(event);
}

QRect ListPlot::bandRect() const {
    if (!m_plot)
        return {};
    const QRectF area = m_plot->state().plotArea();
    const double left = std::min(m_dragFrom, m_dragTo);
    const double right = std::max(m_dragFrom, m_dragTo);
    return QRectF(QPointF(left, area.top()), QPointF(right, area.bottom()))
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

void ListPlot::paintLayer(QPainter &painter) {
    if (m_dragging && m_plot) {
        const QRectF area = m_plot->state().plotArea();
        const QRectF band(QPointF(std::min(m_dragFrom, m_dragTo), area.top()),
                          QPointF(std::max(m_dragFrom, m_dragTo), area.bottom()));
        painter.fillRect(band, QColor(0, 0, 255, 32));
        painter.setPen(QPen(QColor(0, 0, 160), 1));
        painter.drawLine(band.topLeft(), band.bottomLeft());
        painter.drawLine(band.topRight(), band.bottomRight());
    }
    GraphWindow::paintLayer(painter);
}
