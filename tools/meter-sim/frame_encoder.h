// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "meter_state.h"
#include "temperature_model.h"

#include <array>
#include <cstdint>

namespace metersim {

using Frame = std::array<std::uint8_t, 10>;

inline constexpr std::uint8_t kFrameStart = 0x02;
inline constexpr std::uint8_t kFrameEnd = 0x03;

/// Builds the 10-byte live frame the meter sends about twice a second.
class FrameEncoder {
public:
    // `celsius` are the true temperatures; the frame shows them in the unit of `state`.
    static Frame encode(const MeterState &state, Temperatures celsius, int hour, int minute);

    static std::uint8_t statusA(bool fahrenheit, bool typeJ);
    static std::uint8_t statusB(DisplayMode mode);
    static std::uint8_t toBcd(int value); // 0..99
};

} // namespace metersim
