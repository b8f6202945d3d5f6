// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

struct CommandLine;

// `thermodesk --stats FILE.rdg [--from N --to M] [--csv]`: each channel's statistics over
// a span of a record file's records, as the file plot shows them, without a window.
namespace StatsCommand {

using Output = std::function<void(const QString &text)>;

// 0 when the statistics were printed to out; 1 when the file could not be read or the span
// lies outside it, said on errorLine.
int run(const CommandLine &line, const Output &out, const Output &errorLine);

} // namespace StatsCommand
