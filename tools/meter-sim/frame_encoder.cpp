// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame_encoder.h"

#include "reading_word.h"

namespace metersim {

namespace {

// Status byte A
constexpr std::uint8_t kClockSymbol = 0x01;
constexpr std::uint8_t kFahrenheit = 0x40;
constexpr std::uint8_t kTypeJ = 0x80;
// Status byte B
constexpr std::uint8_t kSmallShowsT2 = 0x02;
constexpr std::uint8_t kMainShowsDiff = 0x04;
constexpr std::uint8_t kMainShowsT2 = 0x08;

void putWord(Frame &frame, std::size_t at, std::uint16_t word) {
    frame[at] = static_cast<std::uint8_t>(word >> 8);
    frame[at + 1] = static_cast<std::uint8_t>(word & 0xFF);
}

} // namespace

std::uint8_t FrameEncoder::toBcd(int value) {
    return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

std::uint8_t FrameEncoder::statusA(bool fahrenheit, bool typeJ) {
    std::uint8_t status = kClockSymbol;
    if (fahrenheit)
        status |= kFahrenheit;
    if (typeJ)
        status |= kTypeJ;
    return status;
}

std::uint8_t FrameEncoder::statusB(DisplayMode mode) {
    switch (mode) {
    case DisplayMode::T1:
        return 0;
    case DisplayMode::T2:
        return kMainShowsT2;
    case DisplayMode::DiffT1:
        return kMainShowsDiff;
    case DisplayMode::DiffT2:
        break;
    }
    return kMainShowsDiff | kSmallShowsT2;
}

Frame FrameEncoder::encode(const MeterState &state, Temperatures celsius, int hour, int minute) {
    const double t1 =
        displayedValue(state.fahrenheit ? celsiusToFahrenheit(celsius.t1) : celsius.t1);
    const double t2 =
        displayedValue(state.fahrenheit ? celsiusToFahrenheit(celsius.t2) : celsius.t2);

    const std::uint16_t t1Word = state.t1OverRange ? kWordOverRange : encodeReading(t1);
    const std::uint16_t t2Word = state.t2Open ? kWordNoValue : encodeReading(t2);
    // The difference of the shown values, so main and small displays agree with each other.
    std::uint16_t diffWord = encodeReading(t1 - t2, Decimals::One);
    if (state.t2Open)
        diffWord = kWordNoValue;
    else if (state.t1OverRange)
        diffWord = kWordOverRange;

    std::uint16_t mainWord = t1Word;
    std::uint16_t smallWord = t2Word;
    switch (state.mode) {
    case DisplayMode::T1:
        break;
    case DisplayMode::T2:
        mainWord = t2Word;
        smallWord = t1Word;
        break;
    case DisplayMode::DiffT1:
        mainWord = diffWord;
        smallWord = t1Word;
        break;
    case DisplayMode::DiffT2:
        mainWord = diffWord;
        smallWord = t2Word;
        break;
    }

    Frame frame{};
    frame[0] = kFrameStart;
    frame[1] = toBcd(hour);
    frame[2] = toBcd(minute);
    frame[3] = statusA(state.fahrenheit, state.typeJ);
    frame[4] = statusB(state.mode);
    putWord(frame, 5, mainWord);
    putWord(frame, 7, smallWord);
    frame[9] = kFrameEnd;
    return frame;
}

} // namespace metersim
