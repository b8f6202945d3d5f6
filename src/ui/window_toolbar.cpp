// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window_toolbar.h"

#include "ui/tool_images.h"
#include "windowing/window_model.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>

namespace {

void showButtons(QToolBar &toolbar, const WindowModel &model) {
    for (const ToolButton &button : model.toolbar()) {
        QAction *action = toolbar.findChild<QAction *>(button.key.name);
        if (!action)
            continue;
        action->setIcon(toolImage(button.picture));
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
        action->setObjectName(button.key.name);
        action->setShortcut(toolButtonShortcut(button.key.standardKey));
        action->setShortcutContext(Qt::WindowShortcut);
        const int command = button.command;
        QObject::connect(action, &QAction::triggered, &model,
                         [&model, command] { model.pressToolButton(command); });
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

QKeySequence toolButtonShortcut(StandardKey key) {
    switch (key) {
    case StandardKey::None:
        break;
    case StandardKey::Save:
        return QKeySequence(QKeySequence::Save);
    case StandardKey::Open:
        return QKeySequence(QKeySequence::Open);
    case StandardKey::Print:
        return QKeySequence(QKeySequence::Print);
    }
    return {};
}

QString tooltipWithShortcut(const QString &tooltip, const QKeySequence &shortcut) {
    if (shortcut.isEmpty())
        return tooltip;
    return QStringLiteral("%1 (%2)").arg(tooltip, shortcut.toString(QKeySequence::NativeText));
}
