#include "ui/graph_window.h"

#include "graphs/graph_window_model.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/window_toolbar.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace {

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

GraphWindow::GraphWindow(GraphWindowModel &model, const QSize &designSize, QWidget *parent)
    : QWidget(parent)
    , m_model(&model)
    , m_surface(dynamic_cast<QtImageSurface *>(&model.surface())) {
    setObjectName(model.name());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(model.caption());
    m_toolbar = addOverlayToolbar(*this, model);
    // Low enough to leave the panels (at y 32) and the legends (at y 70) uncovered.
    m_toolbar->setIconSize(QSize(20, 20));
    m_toolbar->setAutoFillBackground(true); // a toolbar over the picture, not a hole in it
    m_toolbar->setContentsMargins(0, 0, 0, 0);
    m_toolbar->layout()->setContentsMargins(0, 0, 0, 0);
    resize(designSize);

    if (m_surface) {
        // Repaint once the model has drawn, however many lines it drew meanwhile.
        m_surface->setChangedCallback([view = QPointer<GraphWindow>(this)] {
            if (view)
                view->update();
        });
    }
    connect(&model, &GraphWindowModel::panelsChanged, this, &GraphWindow::showPanels);
    connect(&model, &GraphWindowModel::captionChanged, this, &GraphWindow::scheduleTitle);
    connect(&model, &GraphWindowModel::toolbarVisibleChanged, this,
            [this] { m_toolbar->setVisible(m_model->toolbarVisible()); });
    connect(&model, &GraphWindowModel::focusRequested, this, [this](const QString &box) {
        if (QLineEdit *edit = m_boxes.value(box))
            edit->setFocus();
    });
}

void GraphWindow::buildFunctionPanel(const QPoint &at) {
    m_function = panelFrame(this, "PFunction", QRect(at, QSize(121, 81)));
    const struct {
        const char *name;
        const char *text;
        int top;
    } checks[] = {{"CKT1T2", "T1-T2", 6}, {"CKT1", "T1", 30}, {"CKT2", "T2", 54}};
    for (const auto &check : checks) {
        auto *box = new QCheckBox(QLatin1String(check.text), m_function);
        box->setObjectName(QLatin1String(check.name));
        box->setGeometry(6, check.top, 58, 20);
        const QString name = QLatin1String(check.name);
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
        if (m_model)
            setWindowTitle(m_model->caption());
    });
}

void GraphWindow::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    if (!m_surface || !m_model) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    const QImage &image = m_surface->image();
    painter.drawImage(event->rect().topLeft(), image, event->rect());
    // Beyond the picture (a moment before a new size reaches the model): white.
    const QRegion outside = QRegion(event->rect()) - QRegion(image.rect());
    for (const QRect &rect : outside)
        painter.fillRect(rect, Qt::white);
    m_surface->shown();
}

void GraphWindow::resizeEvent(QResizeEvent *event) {
    m_toolbar->setGeometry(0, 0, event->size().width(), m_toolbar->sizeHint().height());
    if (m_model)
        m_model->resize(event->size());
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
