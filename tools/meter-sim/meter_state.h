// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace metersim {

// What the two displays show, in the order the `m` key steps through them.
enum class DisplayMode {
    T1,     // main T1, small T2
    T2,     // main T2, small T1
    DiffT1, // main T1-T2, small T1
    DiffT2, // main T1-T2, small T2
};

/// The switch settings and faults of the virtual meter that shape its live frames.
struct MeterState {
    bool fahrenheit = false;
    bool typeJ = false;
    DisplayMode mode = DisplayMode::T1;
    bool t1OverRange = false; // T1 reads "OL"
    bool t2Open = false;      // T2 reads "----"
};

DisplayMode nextMode(DisplayMode mode);
const char *modeName(DisplayMode mode);        // the script word: t1, t2, diff-t1, diff-t2
const char *modeDescription(DisplayMode mode); // for notes: "main T1 / small T2"

} // namespace metersim
