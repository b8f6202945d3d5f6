// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "adapters/stored_settings.h"
#include "platform/dialogs.h"

#include <QPointer>
#include <QWidget>

// The system's dialogs through QMessageBox, QInputDialog and QFileDialog. The open and the
// save dialog each start in the folder they were last left in, in this run or an earlier one.
class QtDialogs : public Dialogs {
public:
    // The window the dialogs are centred on; may change as windows come and go.
    void setParentWindow(QWidget *window) { m_parent = window; }

    Answer message(const QString &text, Icon icon, Buttons buttons, const QString &title) override;
    QString input(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFile(const QString &filter) override;
    QString saveFile(const QString &filter) override;
    // The suffix follows the file type chosen in the dialog ("png", "svg", "pdf").
    QString saveFileAs(const QString &filter, const QString &defaultSuffix) override;

    // "Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|" as Qt's "Data Files (*.rdg);;All Files
    // (*.*)".
    static QString qtFilter(const QString &filter);

private:
    QString startFolder(StoredSettings::Dialog dialog) const;
    void remember(StoredSettings::Dialog dialog, const QString &chosenFile);

    QPointer<QWidget> m_parent;
    StoredSettings m_settings;
};
