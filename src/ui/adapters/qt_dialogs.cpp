#include "ui/adapters/qt_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
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
    return QFileDialog::getOpenFileName(m_parent, {}, {}, qtFilter(filter));
}

QString QtDialogs::saveFile(const QString &filter) {
    QFileDialog dialog(m_parent, {}, {}, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("rdg"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtDialogs::qtFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts.at(i);
    return entries.join(QStringLiteral(";;"));
}
