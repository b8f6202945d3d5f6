// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowing/tool_button.h"

#include <QKeySequence>
#include <QString>

class QMainWindow;
class QToolBar;
class QWidget;
class WindowModel;

// The toolbar "Toolbar1" of a window, built from its model's buttons: each action carries
// its button's key as object name, forwards a press to the model, and follows the model's
// pictures, tooltips, enabled states and visibility. Buttons with a standard key (see
// toolButtonShortcut) answer it in their window and show it in the tooltip.
QToolBar *addWindowToolbar(QMainWindow &window, WindowModel &model);

// The same toolbar lying over the top of a plain window, whose own drawing goes on under
// it (the graphs); the window keeps it as wide as itself.
QToolBar *addOverlayToolbar(QWidget &window, WindowModel &model);

// The system's key for a toolbar button's standard key, the same in every window: Ctrl+S
// for "Save" (save, or record on the panel), Ctrl+O for "Open", Ctrl+P for "Print".
QKeySequence toolButtonShortcut(StandardKey key);
// A button's tooltip with its key, as the toolbar shows it: "Save As (Ctrl+S)".
QString tooltipWithShortcut(const QString &tooltip, const QKeySequence &shortcut);
