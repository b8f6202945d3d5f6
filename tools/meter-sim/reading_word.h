// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace metersim {

// Display words with a meaning of their own.
inline constexpr std::uint16_t kWordNoValue = 0xFFFF;    // "----", e.g. open thermocouple
inline constexpr std::uint16_t kWordUnderRange = 0xFF00; // "-OL"
inline constexpr std::uint16_t kWordOverRange = 0xBF00;  // "OL"

enum class Decimals {
    Auto, // one decimal below 1000, whole numbers from 1000 on
    One,  // always one decimal (the T1-T2 difference)
};

/// Encodes a displayed value as the meter's 16-bit reading word (high byte first on the wire).
std::uint16_t encodeReading(double value, Decimals decimals = Decimals::Auto);

/// Rounds a value the way the display shows it (tenths below 1000, whole numbers above).
double displayedValue(double value, Decimals decimals = Decimals::Auto);

inline double celsiusToFahrenheit(double celsius) {
    return celsius * 9.0 / 5.0 + 32.0;
}

} // namespace metersim
