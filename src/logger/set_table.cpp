// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/set_table.h"

#include <algorithm>

namespace {

int wordAt(QByteArrayView bytes, qsizetype at) {
    return quint8(bytes[at]) * 256 + quint8(bytes[at + 1]);
}

} // namespace

SetTable SetTable::split(int announced, QByteArrayView sets) {
    SetTable table;
    table.m_announced = std::max(announced, 0);
    table.m_sets.reserve(table.m_announced);
    qsizetype &DumpPos = table.m_dumpPos;
    for (int i = 1; i <= table.m_announced; ++i) {
        const QByteArrayView rest = sets.sliced(DumpPos);
        if (rest.size() < LoggerSet::HeaderLength)
            break;
        LoggerSet set;
        set.SetTime = RecordClock::SetTime(rest.first(RecordClock::StartLength));
        set.SetSampling = wordAt(rest, 8);
        const qsizetype whole = (rest.size() - LoggerSet::HeaderLength) / LoggerSet::RecordLength;
        set.SetRecords = int(std::min<qsizetype>(wordAt(rest, 10), whole));
        const qsizetype length =
            LoggerSet::HeaderLength + qsizetype(set.SetRecords) * LoggerSet::RecordLength;
        set.SetData = rest.first(length).toByteArray();
        DumpPos += length;
        table.m_sets.append(std::move(set));
    }
    return table;
}
