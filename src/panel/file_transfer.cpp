// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/file_transfer.h"

#include "platform/dialogs.h"

#include <QFileInfo>

namespace FileTransfer {

QString ShowSaveDialog(Dialogs &dialogs) {
    const QString path =
        dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|"));
    if (QFileInfo(path).fileName().isEmpty())
        return {};
    return path;
}

QString ShowCsvSaveDialog(Dialogs &dialogs) {
    const QString path = dialogs.saveFileAs(
        QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|"), QStringLiteral("csv"));
    if (QFileInfo(path).fileName().isEmpty())
        return {};
    return path;
}

} // namespace FileTransfer
