#include "ui/list_window.h"

#include "records/record_list_model.h"
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
    // It opens showing its ten rows exactly: a table's own default size (taller than ten
    // rows in a small font, as on Windows) does not count.
    resize(minimumSizeHint());
}

void ListWindow::buildTable() {
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("GridN"));
    m_table->setModel(&m_model.table());
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_table->setWordWrap(false);

    // Rows of one fixed height keep a table of 345,600 records as quick as a short one.
    // Measured in the table's own font: on Windows an item view's font is not its window's,
    // and it is the table's only once the table is polished.
    m_table->ensurePolished();
    const QFontMetrics metrics = m_table->fontMetrics();
    QHeaderView *rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = metrics.height() + 4;
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView *columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setHighlightSections(false);
    int width = 0;
    for (int column = 0; column < int(WidthSamples.size()); ++column) {
        const int columnWidth = std::max(metrics.horizontalAdvance(WidthSamples[column]),
                                         metrics.horizontalAdvance(WidestContents[column])) +
                                CellMargins;
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
