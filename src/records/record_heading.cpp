// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_heading.h"

namespace {

constexpr QLatin1StringView TypeSeparator{" Type "};
const QString DegreesC = QStringLiteral("\u00B0C");
const QString DegreesF = QStringLiteral("\u00B0F");

} // namespace

QString RecordHeading::text() const {
    return type + TypeSeparator + unit;
}

RecordHeading RecordHeading::of(const QString &text) {
    const qsizetype at = text.indexOf(TypeSeparator);
    if (at < 0)
        return {};
    return {text.left(at).trimmed(), text.mid(at + TypeSeparator.size()).trimmed()};
}

RecordHeading RecordHeading::forPlot(const QString &text) {
    return {text.contains(QLatin1Char('J')) ? QStringLiteral("J") : QStringLiteral("K"),
            text.contains(DegreesC) ? DegreesC : DegreesF};
}
