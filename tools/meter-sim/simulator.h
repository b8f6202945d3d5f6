// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "command.h"
#include "console_input.h"
#include "device_link.h"
#include "dump_sender.h"
#include "logger_memory.h"
#include "meter_state.h"
#include "pty_line.h"
#include "script.h"
#include "sim_clock.h"
#include "temperature_model.h"

#include <memory>
#include <random>
#include <string>

namespace metersim {

struct SimOptions {
    std::string linkPath;   // empty: no symlink
    std::string scriptPath; // empty: no script
    int intervalMs = 500;
    bool quiet = false;
};

/// Plays the meter on a pseudo-terminal: live frames, logger dumps, keys and script commands.
class Simulator {
public:
    explicit Simulator(SimOptions options);

    // Runs until `q`, `quit` or a stop signal; returns the exit code.
    int run();

private:
    bool plug(std::string &error);
    void unplug();
    void shutDown();

    void runDue(Script &queue, TimePoint now);
    void execute(const Command &command, TimePoint now);
    void sendFrame(TimePoint now);
    void startDump(TimePoint now, std::optional<std::size_t> stallAfter);
    void serviceDump(TimePoint now);
    void sendBytes(std::span<const std::uint8_t> bytes, const std::string &what);
    void watchListener();
    void readLine();
    void readConsole();
    int pollTimeoutMs(TimePoint now) const;

    void note(const std::string &text) const;
    void printHelp() const;

    SimOptions m_options;
    PtyLine m_line;
    std::unique_ptr<DeviceLink> m_link;
    ConsoleInput m_console;
    Script m_script;
    Script m_consoleQueue; // commands from stdin, run in order like a script
    LoggerMemory m_memory = LoggerMemory::withSampleSets();
    DumpSender m_dump;
    TemperatureModel m_model;
    MeterState m_state;
    std::mt19937 m_random;
    TimePoint m_start{};
    TimePoint m_nextFrame{};
    std::string m_lastPortPath;
    int m_eraseRun = 0; // consecutive 'E' bytes received
    bool m_plugged = false;
    bool m_silent = false;
    bool m_listener = false;
    bool m_quit = false;
};

} // namespace metersim
