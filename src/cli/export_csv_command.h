// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

struct CommandLine;

// `thermodesk --export-csv IN.rdg [OUT.csv]`: the records of a record file as CSV, without
// a window. What it has to say goes to errorLine, one line each (standard error).
namespace ExportCsvCommand {

using Output = std::function<void(const QString &line)>;

// 0 when every line was exported; 1 when the export failed (no CSV file is left behind)
// or lines of the record file could not be read (the others are exported).
int run(const CommandLine &line, const Output &errorLine);

} // namespace ExportCsvCommand
