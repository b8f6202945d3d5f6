#include "ui/window_toolbar.h"

#include "ui/tool_images.h"
#include "windowing/window_model.h"

#include <QAction>
#include <QHash>
#include <QMainWindow>
#include <QToolBar>

namespace {

void showButtons(QToolBar &toolbar, const WindowModel &model) {
    for (const ToolButton &button : model.toolbar()) {
        QAction *action = toolbar.findChild<QAction *>(button.key);
        if (!action)
            continue;
        action->setIcon(toolImage(model.name(), button.image));
        action->setText(button.tooltip);
        action->setToolTip(tooltipWithShortcut(button.tooltip, action->shortcut()));
        action->setEnabled(button.enabled);
        action->setVisible(button.visible);
    }
}

void fillToolbar(QToolBar *toolbar, WindowModel &model) {
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(24, 24));
    for (const ToolButton &button : model.toolbar()) {
        QAction *action = toolbar->addAction(button.tooltip);
        action->setObjectName(button.key);
        action->setShortcut(toolButtonShortcut(button.key));
        action->setShortcutContext(Qt::WindowShortcut);
        const QString key = button.key;
        QObject::connect(action, &QAction::triggered, &model,
                         [&model, key] { model.pressToolButton(key); });
        // Tab reaches every button, Space presses it: the toolbar works without a mouse.
        if (QWidget *button = toolbar->widgetForAction(action))
            button->setFocusPolicy(Qt::TabFocus);
    }
    showButtons(*toolbar, model);
    QObject::connect(&model, &WindowModel::toolbarChanged, toolbar,
                     [toolbar, &model] { showButtons(*toolbar, model); });
}

} // namespace

QToolBar *addWindowToolbar(QMainWindow &window, WindowModel &model) {
    QToolBar *toolbar = window.addToolBar(QStringLiteral("Toolbar1"));
    fillToolbar(toolbar, model);
    return toolbar;
}

QToolBar *addOverlayToolbar(QWidget &window, WindowModel &model) {
    auto *toolbar = new QToolBar(QStringLiteral("Toolbar1"), &window);
    fillToolbar(toolbar, model);
    return toolbar;
}

QKeySequence toolButtonShortcut(const QString &key) {
    static const QHash<QString, QKeySequence::StandardKey> Keys{
        {QStringLiteral("Save"), QKeySequence::Save},
        {QStringLiteral("Open"), QKeySequence::Open},
        {QStringLiteral("Print"), QKeySequence::Print}};
    const auto found = Keys.find(key);
    return found == Keys.end() ? QKeySequence() : QKeySequence(*found);
}

QString tooltipWithShortcut(const QString &tooltip, const QKeySequence &shortcut) {
    if (shortcut.isEmpty())
        return tooltip;
    return QStringLiteral("%1 (%2)").arg(tooltip, shortcut.toString(QKeySequence::NativeText));
}
