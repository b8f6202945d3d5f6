// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "command.h"
#include "sim_clock.h"

#include <deque>
#include <optional>
#include <string>

namespace metersim {

/// Runs commands one after another, holding back the rest while a `wait` runs.
class Script {
public:
    // Reads a script file; on a bad line tells which one and why.
    static bool load(const std::string &path, Script &script, std::string &error);

    void append(Command command);

    // The next command whose turn has come, if any; after a `wait` nothing is due until it ends.
    std::optional<Command> takeDue(TimePoint now);

    // When takeDue() next has something: a time point, or nothing while the queue is empty.
    std::optional<TimePoint> nextDue() const;

    bool isEmpty() const { return m_pending.empty(); }

private:
    std::deque<Command> m_pending;
    std::optional<TimePoint> m_waitUntil;
};

} // namespace metersim
