// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The fifteen flags of the meter's two status bytes, as last decoded.
struct MeterStatus {
    // Status byte A
    bool ShowClock = false;
    bool ShowRel = false;
    bool ShowBt = false;
    bool ShowH = false;
    bool ShowRec = false;
    bool Fahrenheit = false;
    bool TypeJ = false;
    // Status byte B
    bool SmallShowsT2 = false;
    bool MainShowsDiff = false;
    bool MainShowsT2 = false;
    bool ShowAvg = false;
    bool ShowMin = false;
    bool ShowMax = false;
    bool ShowM = false;
};

// The meter's latest readings and settings, written by the frame timer and read by
// everyone else between its ticks. Readings are reading texts ("25.3", "OL", "----").
struct LiveValues {
    QString T1Text;
    QString T2Text;
    QString DiffText;
    QString TypeText;
    QString UnitText;
    MeterStatus status;
};
