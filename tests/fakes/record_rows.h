// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/record_row.h"

#include <QDateTime>

// Record number of a recording begun on 3 May 2001 at 14:25:01, one record a second, with
// the given readings: as a list window or a record file holds it.
inline RecordRow record(int number, const QString &t1, const QString &t2, const QString &diff) {
    const QDateTime start(QDate(2001, 5, 3), QTime(14, 25, 1));
    return {QString::number(number), recordTimeStamp(start.addSecs(number - 1)), t1, t2, diff};
}
