// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/graph_window.h"

#include "graphs/graph_frame.h"
#include "graphs/graph_window_model.h"
#include "platform/surface.h"
#include "ui/window_toolbar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The readout's box: its distance from the line, its margin, its colour swatches.
constexpr int ReadoutGap = 8;
constexpr int ReadoutPadding = 4;
constexpr int ReadoutSwatch = 12;

QFont captionFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

QFont buttonFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(9.75);
    return font;
}

QFrame *panelFrame(QWidget *parent, const char *name, const QRect &geometry) {
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

} // namespace

GraphWindow::GraphWindow(GraphWindowModel &model, const QSize &size, const QString &unit,
                         QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_unit(unit) {
    setObjectName(model.name());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(model.caption());
    model.captionShown();
    m_toolbar = addOverlayToolbar(*this, model);
    // Low enough to leave the panels (at y 32) and the legends (at y 70) uncovered.
    m_toolbar->setIconSize(QSize(20, 20));
    m_toolbar->setAutoFillBackground(true); // a toolbar over the picture, not a hole in it
    m_toolbar->setContentsMargins(0, 0, 0, 0);
    m_toolbar->layout()->setContentsMargins(0, 0, 0, 0);
    model.surface().setDevicePixelRatio(devicePixelRatioF());
    resize(size);

    // The readout follows the pointer over the plot without a button pressed.
    setMouseTracking(true);
    // Repaint once the model has drawn, however many lines it drew meanwhile; a readout
    // shown reads the new picture's values.
    model.surface().setChangedCallback([view = QPointer<GraphWindow>(this)] {
        if (!view)
            return;
        view->update();
        view->describePicture();
        if (view->m_pointerInside)
            QTimer::singleShot(0, view, &GraphWindow::refreshReadout);
    });
    connect(&model, &GraphWindowModel::panelsChanged, this, &GraphWindow::showPanels);
    connect(&model, &GraphWindowModel::captionChanged, this, &GraphWindow::scheduleTitle);
    connect(&model, &GraphWindowModel::toolbarVisibleChanged, this,
            [this] { m_toolbar->setVisible(m_model->toolbarVisible()); });
    connect(&model, &GraphWindowModel::focusRequested, this, [this](const QString &box) {
        if (QLineEdit *edit = m_boxes.value(box))
            edit->setFocus();
    });
    describePicture();
}

void GraphWindow::buildFunctionPanel(const QPoint &at) {
    m_function = panelFrame(this, "PFunction", QRect(at, QSize(121, 81)));
    const struct {
        Channel channel;
        const char *text;
        int top;
    } checks[] = {{Channel::Diff, "T1-T2", 6}, {Channel::T1, "T1", 30}, {Channel::T2, "T2", 54}};
    for (const auto &check : checks) {
        const QString name = GraphWindowModel::checkBoxOf(check.channel);
        auto *box = new QCheckBox(QLatin1String(check.text), m_function);
        box->setObjectName(name);
        box->setGeometry(6, check.top, 58, 20);
        connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
            if (m_model)
                m_model->setChecked(name, on);
        });
        m_checks.insert(name, box);
    }
    auto *ok = new QPushButton(QStringLiteral("OK"), m_function);
    ok->setObjectName(QStringLiteral("CmdFunctionOK"));
    ok->setFont(buttonFont());
    ok->setGeometry(66, 8, 50, 28);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->functionOk();
    });
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), m_function);
    cancel->setObjectName(QStringLiteral("CmdFunctionCancel"));
    cancel->setFont(buttonFont());
    cancel->setGeometry(66, 44, 50, 28);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->functionCancel();
    });
}

QFrame *GraphWindow::buildRangePanel(const QPoint &at, const QSize &size) {
    m_range = panelFrame(this, "PRange", QRect(at, size));
    return m_range;
}

QLabel *GraphWindow::captionPanel(QWidget *parent, const char *name, const QString &text) {
    auto *caption = new QLabel(text, parent);
    caption->setObjectName(QLatin1String(name));
    caption->setFont(captionFont());
    caption->setAlignment(Qt::AlignCenter);
    caption->setFrameShape(QFrame::Panel);
    caption->setFrameShadow(QFrame::Raised);
    return caption;
}

QLineEdit *GraphWindow::rangeBox(QWidget *parent, const QString &name) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, name](const QString &text) {
        if (m_model)
            m_model->setRangeText(name, text);
    });
    m_boxes.insert(name, box);
    return box;
}

QPushButton *GraphWindow::rangeButton(QWidget *parent, bool ok) {
    auto *button = new QPushButton(ok ? QStringLiteral("OK") : QStringLiteral("Cancel"), parent);
    button->setObjectName(ok ? QStringLiteral("CmdRangeOK") : QStringLiteral("CmdRangeCancel"));
    button->setFont(buttonFont());
    connect(button, &QPushButton::clicked, this, [this, ok] {
        if (!m_model)
            return;
        if (ok)
            m_model->rangeOk();
        else
            m_model->rangeCancel();
    });
    return button;
}

void GraphWindow::showPanels() {
    if (!m_model)
        return;
    for (auto check = m_checks.cbegin(); check != m_checks.cend(); ++check)
        check.value()->setChecked(m_model->isChecked(check.key()));
    for (auto box = m_boxes.cbegin(); box != m_boxes.cend(); ++box) {
        const QString text = m_model->rangeText(box.key());
        if (box.value()->text() != text)
            box.value()->setText(text);
    }
    if (m_function) {
        m_function->setVisible(m_model->functionPanelVisible());
        m_function->raise();
    }
    if (m_range) {
        m_range->setVisible(m_model->rangePanelVisible());
        m_range->raise();
    }
}

void GraphWindow::scheduleTitle() {
    // A pass counts its records in the caption; the title follows when events run.
    if (m_titlePending)
        return;
    m_titlePending = true;
    QTimer::singleShot(0, this, [this] {
        m_titlePending = false;
        if (!m_model)
            return;
        setWindowTitle(m_model->caption());
        m_model->captionShown();
    });
}

void GraphWindow::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const Surface::Pixels pixels = m_model ? m_model->surface().pixels() : Surface::Pixels();
    if (!pixels.bits) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    // The picture holds device pixels, ratio() of them to a pixel of the window: each
    // lands on one pixel of the screen, none is stretched. It is painted as it stands, not
    // copied.
    QImage image(pixels.bits, pixels.size.width(), pixels.size.height(), pixels.bytesPerLine,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(pixels.devicePixelRatio);
    const QRect area = event->rect();
    const qreal ratio = image.devicePixelRatio();
    const QRect picture(QPoint(), image.deviceIndependentSize().toSize());
    const QRect shown = area & picture;
    if (!shown.isEmpty())
        painter.drawImage(QRectF(shown), image,
                          QRectF(shown.x() * ratio, shown.y() * ratio, shown.width() * ratio,
                                 shown.height() * ratio));
    // Beyond the picture (a moment before a new size reaches the model): white.
    const QRegion outside = QRegion(area) - QRegion(picture);
    for (const QRect &rect : outside)
        painter.fillRect(rect, Qt::white);
    m_model->surface().shown();
    painter.setClipRegion(event->region());
    paintLayer(painter);
}

void GraphWindow::paintLayer(QPainter &painter) {
    if (!m_readout || !m_model)
        return;
    const GraphState &s = m_model->state();
    const Readout &readout = *m_readout;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(80, 80, 80), 1));
    painter.drawLine(QPointF(readout.x, s.plotTop()), QPointF(readout.x, s.PlotBottom));

    const QRect box = readoutBox(readout);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const int lineHeight = fontMetrics().height();
    const int left = box.left() + ReadoutPadding;
    int y = box.top() + ReadoutPadding;
    painter.setPen(Qt::black);
    for (const QString &text : {readout.place, readout.detail}) {
        if (text.isEmpty())
            continue;
        painter.drawText(QRect(left, y, box.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
        y += lineHeight;
    }
    for (Channel channel : Channels) {
        const QString line = readout.line(channel);
        if (line.isEmpty())
            continue;
        const Rgb colour = GraphColours::of(channel);
        // A swatch of the curve's colour: the text stays black, readable on white.
        painter.fillRect(QRect(left, y + lineHeight / 2 - 1, ReadoutSwatch, 3),
                         QColor(colour.red, colour.green, colour.blue));
        painter.drawText(QRect(left + ReadoutSwatch + 4, y, box.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, line);
        y += lineHeight;
    }
}

QRect GraphWindow::readoutBox(const Readout &readout) const {
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    int lines = 0;
    for (const QString &text : {readout.place, readout.detail}) {
        if (!text.isEmpty()) {
            width = std::max(width, metrics.horizontalAdvance(text));
            ++lines;
        }
    }
    for (Channel channel : Channels) {
        const QString line = readout.line(channel);
        if (!line.isEmpty()) {
            width = std::max(width, ReadoutSwatch + 4 + metrics.horizontalAdvance(line));
            ++lines;
        }
    }
    const QSize size(width + 2 * ReadoutPadding, lines * metrics.height() + 2 * ReadoutPadding);
    // Right of the line, or left of it where the window ends; level with the pointer.
    const int x = int(std::floor(readout.x));
    int left = x + ReadoutGap;
    if (left + size.width() > this->width())
        left = x - ReadoutGap - size.width();
    const int top = std::clamp(int(m_pointer.y()) - size.height() / 2, 0,
                               std::max(0, height() - size.height()));
    return QRect(QPoint(left, top), size);
}

QRect GraphWindow::readoutRect(const Readout &readout) const {
    if (!m_model)
        return {};
    const GraphState &s = m_model->state();
    const int x = int(std::floor(readout.x));
    const QRect line(x - 1, int(std::floor(s.plotTop())) - 1, 3, int(std::ceil(s.PlotHeight)) + 3);
    return readoutBox(readout).united(line);
}

void GraphWindow::mouseMoveEvent(QMouseEvent *event) {
    m_pointerInside = true;
    m_pointer = event->position();
    refreshReadout();
    QWidget::mouseMoveEvent(event);
}

void GraphWindow::leaveEvent(QEvent *event) {
    m_pointerInside = false;
    refreshReadout();
    QWidget::leaveEvent(event);
}

void GraphWindow::refreshReadout() {
    std::optional<Readout> readout;
    if (m_model && m_pointerInside)
        readout = m_model->readoutAt(m_pointer);
    const QRect rect = readout ? readoutRect(*readout) : QRect();
    if (readout == m_readout && rect == m_readoutRect)
        return;
    const QRect before = m_readoutRect;
    m_readout = readout;
    m_readoutRect = rect;
    update(QRegion(before) + QRegion(rect));
}

void GraphWindow::resizeEvent(QResizeEvent *event) {
    m_toolbar->setGeometry(0, 0, event->size().width(), m_toolbar->sizeHint().height());
    if (m_model) {
        m_model->surface().setDevicePixelRatio(devicePixelRatioF());
        m_model->resize(event->size());
    }
}

void GraphWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (QWindow *window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &GraphWindow::followDevicePixelRatio,
                Qt::UniqueConnection);
    }
    followDevicePixelRatio();
}

void GraphWindow::followDevicePixelRatio() {
    if (!m_model || m_model->surface().devicePixelRatio() == devicePixelRatioF())
        return;
    // A picture of the new density is a new picture: drawn anew as for a new size.
    m_model->surface().setDevicePixelRatio(devicePixelRatioF());
    m_model->resize(size());
}

void GraphWindow::describePicture() {
    if (!m_model)
        return;
    const GraphState &s = m_model->state();
    QStringList curves;
    for (Channel channel : Channels) {
        if (!s.show(channel))
            continue;
        switch (channel) {
        case Channel::T1:
            curves << QStringLiteral("T1 in blue");
            break;
        case Channel::T2:
            curves << QStringLiteral("T2 in green");
            break;
        case Channel::Diff:
            curves << QStringLiteral("T1-T2 in red");
            break;
        }
    }
    const QString description =
        QStringLiteral("%1 from %2 to %3 %4")
            .arg(curves.isEmpty() ? QStringLiteral("No curve") : curves.join(QStringLiteral(", ")),
                 GraphFrame::FormatAxisLabel(s.YMin), GraphFrame::FormatAxisLabel(s.YMax), m_unit);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
}

void GraphWindow::closeEvent(QCloseEvent *event) {
    if (m_model)
        m_model->requestClose();
    event->accept();
}

bool GraphWindow::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || !m_model)
        return QWidget::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent *>(event)->text();
    // Typed characters go through the model's key filter; keys without a character and
    // shortcuts (arrows, Delete, Ctrl+C) stay the box's own.
    if (text.size() != 1)
        return false;
    const QChar typed = text.front();
    if (typed.unicode() < 32 && typed != QChar(8) && typed != QChar(13))
        return false;
    if (typed.unicode() == 127)
        return false;
    return !m_model->keyTyped(watched->objectName(), typed);
}
