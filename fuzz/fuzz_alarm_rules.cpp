// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary text to the alarm rules of --alarm and to the alarm lines of a settings
// file: each line as a rule, then all lines as settings. Whatever is accepted must come back
// the same through the settings' lines, as the next start of the program reads them.

#include "panel/alarm_limits.h"

#include <QStringList>

#include <cstdint>

namespace {

void roundTrip(const AlarmLimits &limits) {
    const std::optional<AlarmLimits> back = AlarmLimits::fromStrings(limits.toStrings());
    if (!back || !(*back == limits))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));

    AlarmLimits rules;
    for (const QString &line : lines) {
        const AlarmLimits before = rules;
        if (!rules.addRule(line) && !(rules == before))
            __builtin_trap(); // a refused rule changes nothing
    }
    roundTrip(rules);

    if (const std::optional<AlarmLimits> stored = AlarmLimits::fromStrings(lines))
        roundTrip(*stored);
    return 0;
}
