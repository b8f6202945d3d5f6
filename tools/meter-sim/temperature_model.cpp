// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "temperature_model.h"

#include <cmath>
#include <numbers>

namespace metersim {

TemperatureModel::TemperatureModel(std::uint32_t seed)
    : m_random(seed) {}

Temperatures TemperatureModel::sample(double seconds) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    // Periods of a few minutes keep the change between two frames to a few hundredths.
    const double t1 = 25.0 + 3.0 * std::sin(kTwoPi * seconds / 240.0);
    const double t2 = 22.0 + 2.0 * std::sin(kTwoPi * seconds / 420.0 + 1.0);
    return {t1 + m_jitter(m_random), t2 + m_jitter(m_random)};
}

} // namespace metersim
