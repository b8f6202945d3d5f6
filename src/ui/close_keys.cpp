// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/close_keys.h"

#include "windowing/window_model.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

void addCloseKeys(QWidget &view, WindowModel &model) {
    auto *close = new QAction(QStringLiteral("Close"), &view);
    close->setObjectName(QStringLiteral("CloseWindow"));
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)});
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, &model, &WindowModel::requestClose);
    view.addAction(close);
}
