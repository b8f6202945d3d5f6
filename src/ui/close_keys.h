// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;
class WindowModel;

// Ctrl+W and Esc close a secondary window (a list, a graph) as its close button does:
// through the model's requestClose(). The main window has none of them.
void addCloseKeys(QWidget &view, WindowModel &model);
