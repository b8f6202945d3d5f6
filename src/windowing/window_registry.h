// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowing/window_model.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>

// The secondary windows that are open, at most one of each name, and their owner.
// Opening a window announces it (the ui layer shows its view); closing announces it again
// and deletes the model once control is back in the event loop, since long work may still
// hold it: LongWork notices the closing.
class WindowRegistry : public QObject {
    Q_OBJECT

public:
    explicit WindowRegistry(QObject *parent = nullptr);
    ~WindowRegistry() override;

    // Closes an open window of the same name first, then opens this one.
    template <class Model> Model *open(std::unique_ptr<Model> window) {
        Model *opened = window.get();
        adopt(std::unique_ptr<WindowModel>(window.release()));
        return opened;
    }
    // Nothing happens when the window is not open.
    void close(WindowModel *window);

    bool isOpen(const QString &name) const { return find(name) != nullptr; }
    WindowModel *find(const QString &name) const;
    template <class Model> Model *find(const QString &name) const {
        return qobject_cast<Model *>(find(name));
    }

signals:
    void windowOpened(WindowModel *window);
    void windowClosed(WindowModel *window);

private:
    void adopt(std::unique_ptr<WindowModel> window);

    QList<WindowModel *> m_open;
};
