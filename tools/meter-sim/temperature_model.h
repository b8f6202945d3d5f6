// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

namespace metersim {

/// Both thermocouple temperatures in °C.
struct Temperatures {
    double t1 = 0.0;
    double t2 = 0.0;
};

/// Makes T1 and T2 drift slowly and smoothly, with a tiny jitter, as a meter on a bench would.
class TemperatureModel {
public:
    explicit TemperatureModel(std::uint32_t seed);

    // Temperatures at `seconds` after the sim started.
    Temperatures sample(double seconds);

private:
    std::mt19937 m_random;
    std::uniform_real_distribution<double> m_jitter{-0.04, 0.04};
};

} // namespace metersim
