// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/record_grid.h"

#include "ui/visible_rows_model.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

RecordGrid::RecordGrid(QAbstractItemModel &records, QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_rows = new VisibleRowsModel(records, this);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("GridN"));
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setModel(m_rows);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("GridNScrollBar"));
    m_scrollBar->setAccessibleName(QStringLiteral("Records"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus); // the grid's keys scroll it

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_scrollBar);

    m_table->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);
    connect(m_rows, &VisibleRowsModel::sourceRowCountChanged, this, &RecordGrid::updateScrollRange);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_following)
            emit scrollRequested(value);
    });
    updateScrollRange();
}

int RecordGrid::firstRow() const {
    return m_rows->firstRow();
}

void RecordGrid::setFirstRow(int row) {
    m_rows->setFirstRow(row);
    m_following = true;
    m_scrollBar->setValue(row);
    m_following = false;
}

int RecordGrid::fullRows() const {
    const int rowHeight = std::max(1, m_table->verticalHeader()->defaultSectionSize());
    return std::max(1, m_table->viewport()->height() / rowHeight);
}

void RecordGrid::fitPage() {
    const int rowHeight = std::max(1, m_table->verticalHeader()->defaultSectionSize());
    // A row cut off at the bottom is shown too, as far as it fits.
    const int height = m_table->viewport()->height();
    m_rows->show(m_rows->firstRow(), (height + rowHeight - 1) / rowHeight);
    updateScrollRange();
}

void RecordGrid::updateScrollRange() {
    m_following = true;
    m_scrollBar->setRange(0, std::max(0, m_rows->sourceRowCount() - fullRows()));
    m_scrollBar->setPageStep(fullRows());
    m_scrollBar->setValue(m_rows->firstRow());
    m_following = false;
}

bool RecordGrid::moveByKey(int key, Qt::KeyboardModifiers modifiers) {
    const int records = m_rows->sourceRowCount();
    if (records == 0)
        return false;
    const QModelIndex current = m_table->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const int row = m_rows->firstRow() + (current.isValid() ? current.row() : 0);
    const bool control = modifiers & Qt::ControlModifier;
    int target = row;
    switch (key) {
    case Qt::Key_Up:
        target = row - 1;
        break;
    case Qt::Key_Down:
        target = row + 1;
        break;
    case Qt::Key_PageUp:
        target = row - fullRows();
        break;
    case Qt::Key_PageDown:
        target = row + fullRows();
        break;
    case Qt::Key_Home:
        if (!control)
            return false;
        target = 0;
        break;
    case Qt::Key_End:
        if (!control)
            return false;
        target = records - 1;
        break;
    default:
        return false;
    }
    target = std::clamp(target, 0, records - 1);
    // The record moved to comes into view, the page moving as little as it must.
    int first = m_rows->firstRow();
    if (target < first)
        first = target;
    else if (target >= first + fullRows())
        first = target - fullRows() + 1;
    if (first != m_rows->firstRow())
        emit scrollRequested(first);
    const QModelIndex next = m_rows->index(target - m_rows->firstRow(), column);
    if (next.isValid())
        m_table->setCurrentIndex(next);
    return true;
}

bool RecordGrid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_table->viewport()) {
        if (event->type() == QEvent::Wheel) {
            QCoreApplication::sendEvent(m_scrollBar, event);
            return true;
        }
        if (event->type() == QEvent::Resize)
            fitPage();
    } else if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (moveByKey(key->key(), key->modifiers()))
            return true;
    }
    return QFrame::eventFilter(watched, event);
}
