// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_row.h"

#include "records/record_heading.h"

#include <QDateTime>

QString recordTimeStamp(const QDateTime &when) {
    return when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

RecordRow headingRow(const QString &type, const QString &unit) {
    return {RecordHeading{type, unit}.text(), DateTimeHeading, T1Heading, T2Heading, DiffHeading};
}
