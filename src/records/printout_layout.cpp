// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/printout_layout.h"

#include <array>

namespace {
constexpr std::array<int, RecordColumnCount> ColumnWidths = {18, 21, 9, 9, 9};
} // namespace

namespace Printout {

QString line(const RecordRow &cells) {
    QString text;
    text.reserve(LineWidth);
    for (int column = 0; column < RecordColumnCount; ++column) {
        const QString &cell = cells[column];
        if (cell.size() < ColumnWidths[column])
            text.append(QString(ColumnWidths[column] - cell.size(), QLatin1Char(' ')));
        text.append(cell);
    }
    return text;
}

QString ruleLine() {
    return QLatin1Char('-') + QString(8, QLatin1Char(' ')) + QString(57, QLatin1Char('-'));
}

QStringList preamble() {
    return {QStringLiteral(" -"), QStringLiteral(" -"), QStringLiteral(" -"), QString()};
}

} // namespace Printout
