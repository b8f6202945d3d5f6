// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "logger/logger_set.h"

#include <QByteArrayView>
#include <QList>

// The sets of the latest download, numbered from 1. Split from the dump's bytes that follow
// its 3-byte head; as many sets as the dump announces (up to 255), but never a byte beyond
// those received: a set whose header did not arrive whole is left out, and a set whose
// records did not all arrive keeps the whole ones.
class SetTable {
public:
    SetTable() = default;

    // The dump's set count N and the bytes after the head.
    static SetTable split(int announced, QByteArrayView sets);

    int count() const { return int(m_sets.size()); }
    // The set count the dump announced; more than count() when sets are missing.
    int announced() const { return m_announced; }
    // Set 1 to count().
    const LoggerSet &set(int number) const { return m_sets.at(number - 1); }
    // The bytes the split consumed.
    qsizetype DumpPos() const { return m_dumpPos; }

private:
    QList<LoggerSet> m_sets;
    int m_announced = 0;
    qsizetype m_dumpPos = 0;
};
