#pragma once

#include <chrono>

namespace metersim {

// All timing in the sim (frames, waits, dump pacing) runs on the monotonic clock.
using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Millis = std::chrono::milliseconds;

} // namespace metersim
