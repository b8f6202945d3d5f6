#pragma once

#include "windowing/tool_button.h"

#include <QList>
#include <QObject>
#include <QString>

// What every window has in the core: its name (the view's object name, by which the ui
// layer picks the view), its caption, its toolbar and the way to ask for its closing.
// The view shows it and forwards the user's actions; the registry opens and closes it.
class WindowModel : public QObject {
    Q_OBJECT

public:
    WindowModel(const QString &name, const QString &caption, QList<ToolButton> toolbar = {},
                QObject *parent = nullptr);

    QString name() const { return m_name; }

    enum class Progress { Completed, RecordsCompleted };
    // The caption, or while long work counts, "17 Completed" (loading a file) or
    // "17 Records Completed" (saving, printing, plotting).
    QString caption() const;
    void setCaption(const QString &caption);
    // Set once per record: the text is only made when the caption is read.
    void setProgress(int count, Progress progress);

    const QList<ToolButton> &toolbar() const { return m_toolbar; }
    bool isToolButtonEnabled(const QString &key) const;
    void setToolButtonEnabled(const QString &key, bool enabled);
    bool isToolButtonVisible(const QString &key) const;
    void setToolButtonVisible(const QString &key, bool visible);
    // Another picture and tooltip for a button (the panel's "Save" while recording).
    void setToolButtonLook(const QString &key, int image, const QString &tooltip);
    // A button of the toolbar was pressed; a disabled, hidden or unknown one does nothing.
    void pressToolButton(const QString &key);

    // True from the registry's opening of the window until its closing.
    bool isOpen() const { return m_open; }
    // The user closed the view, or the window's own work decided to close it.
    void requestClose() { emit closeRequested(); }

signals:
    // Sent once until the caption is read again: a view that reads it when events run
    // learns of every change without a signal per record.
    void captionChanged();
    void toolbarChanged();
    void toolButtonPressed(const QString &key);
    void closeRequested();

private:
    friend class WindowRegistry;

    ToolButton *findButton(const QString &key);
    void notifyCaption();

    QString m_name;
    QString m_caption;
    int m_progressCount = -1; // -1: the caption is m_caption itself
    Progress m_progress = Progress::Completed;
    mutable bool m_captionNotified = false;
    QList<ToolButton> m_toolbar;
    bool m_open = false;
};
