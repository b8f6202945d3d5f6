// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowing/window_model.h"

#include <type_traits>

// A window whose toolbar carries commands of its own, an enum per window: the model, the
// commands and the view name a button by its command, never by a text, and a press reaches
// whoever carries the window's commands out as one (see onCommand).
template <class Command> class CommandWindow : public WindowModel {
    static_assert(std::is_enum_v<Command>);

public:
    bool isEnabled(Command command) const { return isToolButtonEnabled(int(command)); }
    void setEnabled(Command command, bool enabled) { setToolButtonEnabled(int(command), enabled); }
    bool isVisible(Command command) const { return isToolButtonVisible(int(command)); }
    void setVisible(Command command, bool visible) { setToolButtonVisible(int(command), visible); }
    // Another picture and tooltip for a button (the panel's "Save" while recording).
    void setLook(Command command, const QString &picture, const QString &tooltip) {
        setToolButtonLook(int(command), picture, tooltip);
    }
    // The user pressed the command's button; a disabled or hidden one does nothing.
    void press(Command command) { pressToolButton(int(command)); }

    // Hands each press to run(command), within the context's lifetime: how whoever carries
    // the window's commands out hears of them.
    template <class Run> void onCommand(QObject *context, Run run) {
        QObject::connect(this, &WindowModel::toolButtonPressed, context,
                         [run](int command) { run(Command(command)); });
    }

protected:
    CommandWindow(const QString &name, const QString &caption, QList<ToolButton> toolbar,
                  QObject *parent)
        : WindowModel(name, caption, std::move(toolbar), parent) {}

    // A button of the toolbar, as each window defines its own.
    static ToolButton button(Command command, ToolKey key, const QString &tooltip,
                             const QString &picture) {
        return {int(command), key, tooltip, picture};
    }
};
