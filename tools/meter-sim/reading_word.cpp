// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reading_word.h"

#include <cmath>

namespace metersim {

namespace {

constexpr std::uint16_t kTenthsBit = 0x8000;
constexpr std::uint16_t kMinusBit = 0x4000;
constexpr double kMaxMagnitude = 0x3FFF; // 14 bits

bool usesTenths(double value, Decimals decimals) {
    return decimals == Decimals::One || std::fabs(value) < 1000.0;
}

} // namespace

std::uint16_t encodeReading(double value, Decimals decimals) {
    if (std::isnan(value))
        return kWordNoValue;
    const bool tenths = usesTenths(value, decimals);
    const double scaled = std::round(std::fabs(value) * (tenths ? 10.0 : 1.0));
    // Past 14 bits the display cannot show the value: it reads "OL" or "-OL".
    if (!(scaled <= kMaxMagnitude))
        return value < 0 ? kWordUnderRange : kWordOverRange;
    const auto magnitude = static_cast<std::uint16_t>(scaled);
    std::uint16_t word = magnitude;
    if (tenths)
        word |= kTenthsBit;
    if (value < 0 && magnitude != 0) // no "-0.0"
        word |= kMinusBit;
    return word;
}

double displayedValue(double value, Decimals decimals) {
    return usesTenths(value, decimals) ? std::round(value * 10.0) / 10.0 : std::round(value);
}

} // namespace metersim
