// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/memory_model.h"

#include <algorithm>

MemoryModel::MemoryModel(QObject *parent)
    : WindowModel(Name, QStringLiteral("Data Logger"), {}, parent) {}

void MemoryModel::showDownload(SetTable sets, int memorySize) {
    // The bar ends where the split ended: at 100 unless the dump held fewer sets than it said.
    const int announced = sets.announced();
    m_mbar = announced > 0 ? sets.count() * 100 / announced : 0;
    m_gridSet.setSets(std::move(sets));
    m_lblMemorySize = QStringLiteral("Capacity : 32 K");
    m_msize = int(std::clamp<qint64>(qint64(memorySize) * 100 / Capacity, 0, 100));
    emit changed();
}

void MemoryModel::setMBar(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_mbar)
        return;
    m_mbar = percent;
    emit changed();
}

void MemoryModel::clickGridSetRow(int row) {
    if (row >= 1 && row <= sets().count())
        emit listRequested(row);
}
