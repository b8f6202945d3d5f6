// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class PortNames;
struct CommandLine;

// `thermodesk --record`: the program put together with the adapters that need no display,
// recording until a stop signal, the end of --for or a failure. Runs the event loop of the
// QCoreApplication that main() made; returns the exit code.
namespace RecordCommand {

int run(const CommandLine &line, const PortNames &names, int portNumber);

} // namespace RecordCommand
