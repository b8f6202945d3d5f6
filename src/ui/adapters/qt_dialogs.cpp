// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

Dialogs::Answer QtDialogs::message(const QString &text, Icon icon, Buttons buttons,
                                   const QString &title) {
    static const QMap<Icon, QMessageBox::Icon> icons{{Icon::None, QMessageBox::NoIcon},
                                                     {Icon::Information, QMessageBox::Information},
                                                     {Icon::Warning, QMessageBox::Warning},
                                                     {Icon::Critical, QMessageBox::Critical}};
    QMessageBox box(
        icons.value(icon), title.isEmpty() ? QCoreApplication::applicationName() : title, text,
        buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
        m_parent);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QString QtDialogs::openFile(const QString &filter) {
    const QString path = QFileDialog::getOpenFileName(
        m_parent, {}, startFolder(StoredSettings::Dialog::Open), qtFilter(filter));
    remember(StoredSettings::Dialog::Open, path);
    return path;
}

QString QtDialogs::saveFile(const QString &filter) {
    return saveFileAs(filter, QStringLiteral("rdg"));
}

QString QtDialogs::saveFileAs(const QString &filter, const QString &defaultSuffix) {
    QFileDialog dialog(m_parent, {}, startFolder(StoredSettings::Dialog::Save), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // A name typed without a suffix gets the one of the type chosen: "plot" under "SVG
    // Drawing (*.svg)" is saved as plot.svg.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, defaultSuffix](const QString &chosen) {
            const qsizetype star = chosen.indexOf(QLatin1String("*."));
            const qsizetype close = chosen.indexOf(QLatin1Char(')'), star);
            const QString suffix =
                star < 0 || close < 0 ? QString() : chosen.mid(star + 2, close - star - 2);
            dialog.setDefaultSuffix(
                suffix.isEmpty() || suffix.contains(QLatin1Char('*')) ? defaultSuffix : suffix);
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().constFirst();
    remember(StoredSettings::Dialog::Save, path);
    return path;
}

QString QtDialogs::startFolder(StoredSettings::Dialog dialog) const {
    // A folder that is gone leaves the choice to the dialog, as on the first run.
    const QString folder = m_settings.lastFolder(dialog);
    return QFileInfo(folder).isDir() ? folder : QString();
}

void QtDialogs::remember(StoredSettings::Dialog dialog, const QString &chosenFile) {
    if (!chosenFile.isEmpty())
        m_settings.setLastFolder(dialog, QFileInfo(chosenFile).absolutePath());
}

QString QtDialogs::qtFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts.at(i);
    return entries.join(QStringLiteral(";;"));
}
