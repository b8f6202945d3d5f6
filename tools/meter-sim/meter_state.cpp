// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter_state.h"

namespace metersim {

DisplayMode nextMode(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::T1:
        return DisplayMode::T2;
    case DisplayMode::T2:
        return DisplayMode::DiffT1;
    case DisplayMode::DiffT1:
        return DisplayMode::DiffT2;
    case DisplayMode::DiffT2:
        break;
    }
    return DisplayMode::T1;
}

const char *modeName(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::T1:
        return "t1";
    case DisplayMode::T2:
        return "t2";
    case DisplayMode::DiffT1:
        return "diff-t1";
    case DisplayMode::DiffT2:
        break;
    }
    return "diff-t2";
}

const char *modeDescription(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::T1:
        return "main T1 / small T2";
    case DisplayMode::T2:
        return "main T2 / small T1";
    case DisplayMode::DiffT1:
        return "main T1-T2 / small T1";
    case DisplayMode::DiffT2:
        break;
    }
    return "main T1-T2 / small T2";
}

} // namespace metersim
