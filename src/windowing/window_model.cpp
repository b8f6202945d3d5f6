// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowing/window_model.h"

WindowModel::WindowModel(const QString &name, const QString &caption, QList<ToolButton> toolbar,
                         QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_caption(caption)
    , m_toolbar(std::move(toolbar)) {}

QString WindowModel::caption() const {
    if (m_progressCount < 0)
        return m_caption;
    return QString::number(m_progressCount) + (m_progress == Progress::Completed
                                                   ? QStringLiteral(" Completed")
                                                   : QStringLiteral(" Records Completed"));
}

void WindowModel::setCaption(const QString &caption) {
    m_caption = caption;
    m_progressCount = -1;
    notifyCaption();
}

void WindowModel::setProgress(int count, Progress progress) {
    m_progressCount = count;
    m_progress = progress;
    notifyCaption();
}

void WindowModel::notifyCaption() {
    if (m_captionNotified)
        return;
    m_captionNotified = true;
    emit captionChanged();
}

const ToolButton *WindowModel::findButton(int command) const {
    for (const ToolButton &button : m_toolbar) {
        if (button.command == command)
            return &button;
    }
    return nullptr;
}

ToolButton *WindowModel::findButton(int command) {
    return const_cast<ToolButton *>(std::as_const(*this).findButton(command));
}

bool WindowModel::isToolButtonEnabled(int command) const {
    const ToolButton *button = findButton(command);
    return button && button->enabled;
}

void WindowModel::setToolButtonEnabled(int command, bool enabled) {
    ToolButton *button = findButton(command);
    if (!button || button->enabled == enabled)
        return;
    button->enabled = enabled;
    emit toolbarChanged();
}

bool WindowModel::isToolButtonVisible(int command) const {
    const ToolButton *button = findButton(command);
    return button && button->visible;
}

void WindowModel::setToolButtonVisible(int command, bool visible) {
    ToolButton *button = findButton(command);
    if (!button || button->visible == visible)
        return;
    button->visible = visible;
    emit toolbarChanged();
}

void WindowModel::setToolButtonLook(int command, const QString &picture, const QString &tooltip) {
    ToolButton *button = findButton(command);
    if (!button)
        return;
    button->picture = picture;
    button->tooltip = tooltip;
    emit toolbarChanged();
}

void WindowModel::pressToolButton(int command) {
    if (isToolButtonEnabled(command) && isToolButtonVisible(command))
        emit toolButtonPressed(command);
}
