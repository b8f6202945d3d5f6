// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "script.h"

#include <fstream>

namespace metersim {

bool Script::load(const std::string &path, Script &script, std::string &error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read script " + path;
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        ParsedLine parsed = parseLine(line);
        if (!parsed.error.empty()) {
            error = path + ":" + std::to_string(number) + ": " + parsed.error;
            return false;
        }
        if (parsed.command)
            script.append(std::move(*parsed.command));
    }
    return true;
}

void Script::append(Command command) {
    m_pending.push_back(std::move(command));
}

std::optional<Command> Script::takeDue(TimePoint now) {
    if (m_waitUntil && now < *m_waitUntil)
        return std::nullopt;
    m_waitUntil.reset();
    if (m_pending.empty())
        return std::nullopt;
    Command command = std::move(m_pending.front());
    m_pending.pop_front();
    if (command.kind == CommandKind::Wait)
        m_waitUntil = now + std::chrono::duration_cast<Clock::duration>(
                                std::chrono::duration<double>(command.seconds));
    return command;
}

std::optional<TimePoint> Script::nextDue() const {
    if (m_waitUntil)
        return m_waitUntil;
    if (m_pending.empty())
        return std::nullopt;
    return TimePoint::min();
}

} // namespace metersim
