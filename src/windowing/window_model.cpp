#include "windowing/window_model.h"

WindowModel::WindowModel(const QString &name, const QString &caption, QList<ToolButton> toolbar,
                         QObject *parent)
    : QObject(parent)
    , m_name(name)
    , m_caption(caption)
    , m_toolbar(std::move(toolbar)) {}

QString WindowModel::caption() const {
    m_captionNotified = false;
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

ToolButton *WindowModel::findButton(const QString &key) {
    for (ToolButton &button : m_toolbar) {
        if (button.key == key)
            return &button;
    }
    return nullptr;
}

bool WindowModel::isToolButtonEnabled(const QString &key) const {
    for (const ToolButton &button : m_toolbar) {
        if (button.key == key)
            return button.enabled;
    }
    return false;
}

void WindowModel::setToolButtonEnabled(const QString &key, bool enabled) {
    ToolButton *button = findButton(key);
    if (!button || button->enabled == enabled)
        return;
    button->enabled = enabled;
    emit toolbarChanged();
}

bool WindowModel::isToolButtonVisible(const QString &key) const {
    for (const ToolButton &button : m_toolbar) {
        if (button.key == key)
            return button.visible;
    }
    return false;
}

void WindowModel::setToolButtonVisible(const QString &key, bool visible) {
    ToolButton *button = findButton(key);
    if (!button || button->visible == visible)
        return;
    button->visible = visible;
    emit toolbarChanged();
}

void WindowModel::setToolButtonLook(const QString &key, int image, const QString &tooltip) {
    ToolButton *button = findButton(key);
    if (!button)
        return;
    button->image = image;
    button->tooltip = tooltip;
    emit toolbarChanged();
}

void WindowModel::pressToolButton(const QString &key) {
    if (isToolButtonEnabled(key) && isToolButtonVisible(key))
        emit toolButtonPressed(key);
}
