// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/file_names.h"

#include <QDateTime>

#include <algorithm>

namespace {
QString partNumber(int part) {
    return QStringLiteral("%1").arg(part, 3, 10, QLatin1Char('0'));
}
} // namespace

QString continuationFileName(const QString &chosenPath, int filePart) {
    const qsizetype nameStart = std::max(chosenPath.lastIndexOf(QLatin1Char('/')),
                                         chosenPath.lastIndexOf(QLatin1Char('\\'))) +
                                1;
    const qsizetype dot = chosenPath.indexOf(QLatin1Char('.'), nameStart);
    if (dot < 0)
        return chosenPath + partNumber(filePart + 1);
    return chosenPath.left(dot) + partNumber(filePart) + chosenPath.mid(dot);
}

QString listDumpFileName(const QDateTime &now) {
    return now.toString(QStringLiteral("MMddHHmmss")) + QStringLiteral(".rdg");
}
