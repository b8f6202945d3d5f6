// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowing/window_registry.h"

WindowRegistry::WindowRegistry(QObject *parent)
    : QObject(parent) {}

WindowRegistry::~WindowRegistry() {
    for (WindowModel *window : std::as_const(m_open))
        delete window;
}

void WindowRegistry::adopt(std::unique_ptr<WindowModel> window) {
    close(find(window->name()));
    WindowModel *opened = window.release();
    opened->m_open = true;
    m_open.append(opened);
    connect(opened, &WindowModel::closeRequested, this, [this, opened] { close(opened); });
    emit windowOpened(opened);
}

void WindowRegistry::close(WindowModel *window) {
    if (!window || !m_open.removeOne(window))
        return;
    window->m_open = false;
    emit windowClosed(window);
    // Loops that let events run may still hold the model; they look at isOpen() first.
    window->deleteLater();
}

WindowModel *WindowRegistry::find(const QString &name) const {
    for (WindowModel *window : m_open) {
        if (window->name() == name)
            return window;
    }
    return nullptr;
}
