// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "logger/set_table_model.h"
#include "windowing/window_model.h"

// The data-logger window "Data Logger": the sets of the latest download in GridSet, the used
// share of the meter's memory in MSize, MBar for the split and for the listing of a set.
// Only a download opens it. Its clicks become requests that the Logger carries out.
class MemoryModel : public WindowModel {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"Memory"};
    // The meter's memory in bytes, against which the size word S is shown.
    static constexpr int Capacity = 32768;

    explicit MemoryModel(QObject *parent = nullptr);

    // What a download shows: its sets and the memory size word S.
    void showDownload(SetTable sets, int memorySize);

    SetTableModel &GridSet() { return m_gridSet; }
    const SetTable &sets() const { return m_gridSet.sets(); }

    int MBar() const { return m_mbar; }
    void setMBar(int percent);
    // The fill of MSize in per cent: S × 100 / 32768, kept within 0 to 100.
    int MSize() const { return m_msize; }
    QString LblMemorySize() const { return m_lblMemorySize; }

    // Row r of GridSet as the grid counts: row 0 is the heading row and does nothing; row r
    // lists set r.
    void clickGridSetRow(int row);
    void clickMSize() { emit eraseRequested(); }
    void clickSSPanel2() { emit eraseRequested(); }

signals:
    // MBar, MSize or LblMemorySize changed.
    void changed();
    void listRequested(int set);
    void eraseRequested();

private:
    SetTableModel m_gridSet;
    int m_mbar = 0;
    int m_msize = 0;
    QString m_lblMemorySize = QStringLiteral("Capacity : 512 K");
};
