// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "program/program.h"
#include "ui/desk.h"
#include "windowing/window_registry.h"

#include <QWidget>

#include <map>

namespace bench {

// Shows every window the program opens, as the application does, and removes its view
// when the window closes.
class ShownWindows : public QObject {
public:
    explicit ShownWindows(Program &program) {
        connect(&program.windows(), &WindowRegistry::windowOpened, this,
                [this](WindowModel *window) {
                    QWidget *view = Desk::makeView(*window);
                    m_views[window] = view;
                    view->show();
                });
        connect(&program.windows(), &WindowRegistry::windowClosed, this,
                [this](WindowModel *window) {
                    delete m_views[window];
                    m_views.erase(window);
                });
    }
    ~ShownWindows() override {
        for (auto &[window, view] : m_views)
            delete view;
    }

    // The view of an open window; null when it has none.
    QWidget *view(WindowModel *window) const {
        const auto found = m_views.find(window);
        return found == m_views.end() ? nullptr : found->second;
    }

private:
    std::map<WindowModel *, QWidget *> m_views;
};

} // namespace bench
