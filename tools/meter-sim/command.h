// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "meter_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace metersim {

enum class CommandKind {
    Wait,
    Silence,
    Unplug,
    Replug,
    TogglePlug,
    Dump,
    Unit,
    Type,
    Mode,
    OverRange,
    OpenT2,
    Noise,
    EraseMemory,
    SampleMemory,
    FullMemory,
    Send,
    Help,
    Quit,
};

/// One thing to do to the virtual meter, from a key, a script line or a line on stdin.
struct Command {
    CommandKind kind = CommandKind::Help;
    // silence/overrange/open-t2: on; unit: °F; type: J. Empty toggles.
    std::optional<bool> on;
    // Empty steps to the next display mode.
    std::optional<DisplayMode> mode;
    double seconds = 0.0;                  // wait
    std::optional<std::size_t> stallAfter; // dump: stop after this many bytes
    std::vector<std::uint8_t> bytes;       // send
};

/// A parsed line: a command, an error, or neither for a blank or comment line.
struct ParsedLine {
    std::optional<Command> command;
    std::string error;
};

// A line of one character is a key, a longer one a command; '#' starts a comment.
ParsedLine parseLine(std::string_view line);

std::optional<Command> commandForKey(char key);

} // namespace metersim
