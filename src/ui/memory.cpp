// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/memory.h"

#include "logger/memory_model.h"
#include "ui/memory_gauge.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

static void initImages() {
    Q_INIT_RESOURCE(images);
}

namespace {

// Room the table keeps around a cell's text, as in the list windows.
constexpr int CellMargins = 8;
constexpr int VisibleSetRows = 10;

} // namespace

const QStringList Memory::WidthSamples{QStringLiteral(" No.S "),
                                       QStringLiteral("AA/AA/AA AA:AA:AA"),
                                       QStringLiteral(" Sampling "), QStringLiteral(" Records ")};

Memory::Memory(MemoryModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model) {
    initImages();
    setObjectName(model.name());
    setWindowTitle(model.caption());
    model.captionShown();

    // One column as wide as GridSet: the bar, the gauge and the rest line up under it.
    auto *outer = new QHBoxLayout(this);
    auto *layout = new QVBoxLayout;
    outer->addLayout(layout);
    outer->addStretch(1);
    layout->addWidget(buildGridSet());
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("MBar"));
    m_bar->setAccessibleName(QStringLiteral("Progress"));
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setMaximumHeight(fontMetrics().height());
    layout->addWidget(m_bar);
    layout->addWidget(buildMemoryPanel());

    // Present as the window has them, without behaviour.
    auto *compare = new QHBoxLayout;
    auto *button = new QPushButton(QStringLiteral("Compare"), this);
    button->setObjectName(QStringLiteral("CmdCompare"));
    compare->addWidget(button, 0, Qt::AlignTop);
    auto *grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("Grid"));
    grid->setAccessibleName(QStringLiteral("Grid"));
    grid->setTabKeyNavigation(false);
    grid->setFixedHeight(3 * fontMetrics().height());
    grid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    compare->addWidget(grid, 1);
    layout->addLayout(compare);
    layout->addStretch(1);

    connect(&m_model, &MemoryModel::changed, this, &Memory::refresh);
    refresh();
}

QTableView *Memory::buildGridSet() {
    m_gridSet = new QTableView(this);
    m_gridSet->setObjectName(QStringLiteral("GridSet"));
    m_gridSet->setAccessibleName(QStringLiteral("Sets"));
    m_gridSet->setAccessibleDescription(
        QStringLiteral("Press Enter on a set, or click it, to list its records"));
    m_gridSet->setModel(&m_model.GridSet());
    m_gridSet->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gridSet->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gridSet->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gridSet->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_gridSet->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_gridSet->setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move within it.
    m_gridSet->setTabKeyNavigation(false);

    QHeaderView *rows = m_gridSet->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = fontMetrics().height() + 4;
    rows->setDefaultSectionSize(rowHeight);

    // The heading row does nothing when clicked.
    QHeaderView *columns = m_gridSet->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    int width = 0;
    for (int column = 0; column < WidthSamples.size(); ++column) {
        const int columnWidth = fontMetrics().horizontalAdvance(WidthSamples[column]) + CellMargins;
        m_gridSet->setColumnWidth(column, columnWidth);
        width += columnWidth;
    }
    const int frame = 2 * m_gridSet->frameWidth();
    m_gridSet->setFixedSize(width + m_gridSet->verticalScrollBar()->sizeHint().width() + frame,
                            columns->sizeHint().height() + VisibleSetRows * rowHeight + frame);

    // Row r of the grid, counted below its heading row, is set r.
    connect(m_gridSet, &QTableView::clicked, this,
            [this](const QModelIndex &index) { m_model.clickGridSetRow(index.row() + 1); });
    // From the keyboard: Enter on the current row.
    m_gridSet->installEventFilter(this);
    return m_gridSet;
}

QWidget *Memory::buildMemoryPanel() {
    auto *panel = new QWidget(this);
    auto *layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    m_size = new MemoryGauge(panel);
    connect(m_size, &MemoryGauge::clicked, &m_model, &MemoryModel::clickMSize);
    layout->addWidget(m_size, 0, 0, 1, 3);

    layout->addWidget(legend("Label2", QStringLiteral("Used"), MemoryGauge::UsedColour), 1, 0);
    layout->addWidget(legend("Label3", QStringLiteral("Unused"), MemoryGauge::UnusedColour), 1, 1);
    m_capacity = new QLabel(panel);
    m_capacity->setObjectName(QStringLiteral("LblMemorySize"));
    layout->addWidget(m_capacity, 2, 0, 1, 2);

    // SSPanel2: a panel without caption that asks to erase the memory, as MSize does; a
    // button, so that the keyboard and assistive technology press it as the mouse does.
    auto *eraser = new QPushButton(panel);
    eraser->setObjectName(QStringLiteral("SSPanel2"));
    eraser->setIcon(QIcon(QStringLiteral(":/images/erase.svg")));
    eraser->setIconSize(QSize(32, 32));
    eraser->setFixedSize(48, 48);
    eraser->setAutoDefault(true); // Enter presses it, as Space does
    eraser->setCursor(Qt::PointingHandCursor);
    eraser->setToolTip(QStringLiteral("Erase the meter's memory"));
    eraser->setAccessibleName(QStringLiteral("Erase memory"));
    eraser->setAccessibleDescription(QStringLiteral("Press to erase the meter's memory"));
    connect(eraser, &QPushButton::clicked, &m_model, &MemoryModel::clickSSPanel2);
    layout->addWidget(eraser, 1, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
    return panel;
}

QWidget *Memory::legend(const char *name, const QString &text, const QColor &colour) {
    auto *entry = new QWidget(this);
    auto *layout = new QHBoxLayout(entry);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *swatch = new QFrame(entry);
    swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
    swatch->setFixedSize(fontMetrics().height(), fontMetrics().height());
    swatch->setAutoFillBackground(true);
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, colour);
    swatch->setPalette(palette);
    layout->addWidget(swatch);
    auto *label = new QLabel(text, entry);
    label->setObjectName(QLatin1String(name));
    layout->addWidget(label);
    layout->addStretch(1);
    return entry;
}

void Memory::refresh() {
    m_bar->setValue(m_model.MBar());
    m_size->setPercent(m_model.MSize());
    m_capacity->setText(m_model.LblMemorySize());
}

void Memory::closeEvent(QCloseEvent *event) {
    m_model.requestClose();
    event->accept();
}

bool Memory::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_gridSet && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_gridSet->currentIndex();
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && current.isValid()) {
            m_model.clickGridSetRow(current.row() + 1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
