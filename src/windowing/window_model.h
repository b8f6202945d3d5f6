// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // The view has shown the caption: its next change is announced again.
    void captionShown() { m_captionNotified = false; }
    void setCaption(const QString &caption);
    // Set once per record: the text is only made when the caption is read.
    void setProgress(int count, Progress progress);

    const QList<ToolButton> &toolbar() const { return m_toolbar; }
    // The button of this command was pressed; a disabled, hidden or unknown one does
    // nothing. The view's way in: the window's own typed face is CommandWindow.
    void pressToolButton(int command);

    // True from the registry's opening of the window until its closing.
    bool isOpen() const { return m_open; }
    // The user closed the view, or the window's own work decided to close it.
    void requestClose() { emit closeRequested(); }

signals:
    // Sent once until the view has shown the caption (captionShown): a view that shows it
    // when events run learns of every change without a signal per record.
    void captionChanged();
    void toolbarChanged();
    // A press, of the command as its window numbers it (see CommandWindow::onCommand).
    void toolButtonPressed(int command);
    void closeRequested();

protected:
    bool isToolButtonEnabled(int command) const;
    void setToolButtonEnabled(int command, bool enabled);
    bool isToolButtonVisible(int command) const;
    void setToolButtonVisible(int command, bool visible);
    void setToolButtonLook(int command, const QString &picture, const QString &tooltip);

private:
    friend class WindowRegistry;

    const ToolButton *findButton(int command) const;
    ToolButton *findButton(int command);
    void notifyCaption();

    QString m_name;
    QString m_caption;
    int m_progressCount = -1; // -1: the caption is m_caption itself
    Progress m_progress = Progress::Completed;
    bool m_captionNotified = false;
    QList<ToolButton> m_toolbar;
    bool m_open = false;
};
