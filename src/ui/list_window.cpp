// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/list_window.h"

#include "lists/list_window_model.h"
#include "ui/record_grid.h"
#include "ui/window_toolbar.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace {

// Texts with the shape of each column's content; a column is as wide as its sample.
const std::array<QString, 5> WidthSamples{"AAAADEAA", "AAAA/AA/AAHH:NN:SS", "ABCADE", "ABCADE",
                                          "ABCADE"};
// The longest texts a column holds. In a font whose digits are wider than its capitals the
// samples fall short (by the seconds of a time, in one of Wine's fonts): a column is never
// narrower than these either.
const std::array<QString, 5> WidestContents{"000000", "0000/00/00 00:00:00", "-000.0", "-000.0",
                                            "-000.0"};
// Room the table keeps around a cell's text.
constexpr int CellMargins = 8;

} // namespace

ListWindow::ListWindow(ListWindowModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model) {
    setObjectName(model.name());
    setAttribute(Qt::WA_DeleteOnClose, false);
    addWindowToolbar(*this, m_model);
    buildTable();
    setWindowTitle(m_model.caption());
    m_model.captionShown();
    connect(&m_model, &ListWindowModel::captionChanged, this, &ListWindow::scheduleTitle);
    connect(&m_model, &ListWindowModel::firstVisibleRowChanged, this,
            &ListWindow::showFirstVisibleRow);
    connect(&m_model.grid(), &QAbstractItemModel::rowsInserted, this,
            &ListWindow::showFirstVisibleRow);
    // It opens showing its ten rows exactly: a table's own default size (taller than ten
    // rows in a small font, as on Windows) does not count.
    resize(minimumSizeHint());
}

void ListWindow::buildTable() {
    m_grid = new RecordGrid(m_model.grid(), this);
    QTableView *table = m_grid->table();
    table->setAccessibleName(QStringLiteral("Records"));
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move within it.
    table->setTabKeyNavigation(false);

    // Measured in the table's own font: on Windows an item view's font is not its window's,
    // and it is the table's only once the table is polished.
    table->ensurePolished();
    const QFontMetrics metrics = table->fontMetrics();
    // A style may ask rows to be taller than that (Windows' does): the rows keep the
    // height of the text, and the window is measured with the height they get.
    table->verticalHeader()->setMinimumSectionSize(metrics.height() + 4);
    table->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    const int rowHeight = table->verticalHeader()->defaultSectionSize();
    QHeaderView *columns = table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setHighlightSections(false);
    int width = 0;
    for (int column = 0; column < int(WidthSamples.size()); ++column) {
        const int columnWidth = std::max(metrics.horizontalAdvance(WidthSamples[column]),
                                         metrics.horizontalAdvance(WidestContents[column])) +
                                CellMargins;
        table->setColumnWidth(column, columnWidth);
        width += columnWidth;
    }
    table->setMinimumSize(width, columns->sizeHint().height() +
                                     ListWindowModel::VisibleDataRows * rowHeight);
    setCentralWidget(m_grid);

    connect(m_grid, &RecordGrid::scrollRequested, &m_model, &ListWindowModel::scrollTo);
}

QTableView *ListWindow::table() const {
    return m_grid->table();
}

QScrollBar *ListWindow::scrollBar() const {
    return m_grid->scrollBar();
}

void ListWindow::scheduleTitle() {
    // Long operations change the caption once per record; the title follows when events run.
    if (m_titlePending)
        return;
    m_titlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_titlePending = false;
        setWindowTitle(m_model.caption());
        m_model.captionShown();
    });
}

void ListWindow::showFirstVisibleRow() {
    m_grid->setFirstRow(m_model.firstVisibleRow());
}

void ListWindow::closeEvent(QCloseEvent *event) {
    m_model.requestClose();
    event->accept();
}
