#include "ui/list_window.h"

#include "records/record_list_model.h"
#include "ui/window_toolbar.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

namespace {

// Texts with the shape of each column's content; a column is as wide as its sample.
const std::array<QString, 5> WidthSamples{"AAAADEAA", "AAAA/AA/AAHH:NN:SS", "ABCADE", "ABCADE",
                                          "ABCADE"};
// Room the table keeps around a cell's text.
constexpr int CellMargins = 8;

} // namespace

ListWindow::ListWindow(RecordListModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model) {
    setObjectName(model.name());
    setAttribute(Qt::WA_DeleteOnClose, false);
    addWindowToolbar(*this, m_model);
    buildTable();
    setWindowTitle(m_model.caption());
    connect(&m_model, &RecordListModel::captionChanged, this, &ListWindow::scheduleTitle);
    connect(&m_model, &RecordListModel::firstVisibleRowChanged, this,
            &ListWindow::showFirstVisibleRow);
    connect(&m_model.table(), &QAbstractItemModel::rowsInserted, this,
            &ListWindow::showFirstVisibleRow);
}

void ListWindow::buildTable() {
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("GridN"));
    m_table->setAccessibleName(QStringLiteral("Records"));
    m_table->setModel(&m_model.table());
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move within it.
    m_table->setTabKeyNavigation(false);

    // Rows of one fixed height keep a table of 345,600 records as quick as a short one.
    QHeaderView *rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = fontMetrics().height() + 4;
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView *columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setHighlightSections(false);
    int width = 0;
    for (int column = 0; column < int(WidthSamples.size()); ++column) {
        const int columnWidth = fontMetrics().horizontalAdvance(WidthSamples[column]) + CellMargins;
        m_table->setColumnWidth(column, columnWidth);
        width += columnWidth;
    }
    const int frame = 2 * m_table->frameWidth();
    m_table->setMinimumSize(width + m_table->verticalScrollBar()->sizeHint().width() + frame,
                            columns->sizeHint().height() +
                                RecordListModel::VisibleDataRows * rowHeight + frame);
    setCentralWidget(m_table);

    // A new row widens the scroll range only after the model has moved on: follow it then.
    connect(m_table->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &ListWindow::showFirstVisibleRow);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_followingModel)
            m_model.scrollTo(value);
    });
}

void ListWindow::scheduleTitle() {
    // Long operations change the caption once per record; the title follows when events run.
    if (m_titlePending)
        return;
    m_titlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_titlePending = false;
        setWindowTitle(m_model.caption());
    });
}

void ListWindow::showFirstVisibleRow() {
    m_followingModel = true;
    m_table->verticalScrollBar()->setValue(m_model.firstVisibleRow());
    m_followingModel = false;
}

void ListWindow::closeEvent(QCloseEvent *event) {
    m_model.requestClose();
    event->accept();
}
