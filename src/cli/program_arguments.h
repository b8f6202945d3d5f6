// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

// The command line as the user gave it, the program's name first, before any application
// object exists. On Windows it is read as wide characters, so that a record file whose
// name the system's code page cannot spell (a double-click passes any name) still opens.
namespace ProgramArguments {

QStringList of(int argc, char *argv[]);

} // namespace ProgramArguments
