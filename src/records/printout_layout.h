// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/record_row.h"

#include <QString>
#include <QStringList>

// The text lines of a printed record file: 66 characters of fixed pitch per row.
namespace Printout {

inline constexpr int LineWidth = 66;

// The five cells right-aligned in widths 18, 21, 9, 9, 9; a longer cell is printed
// whole and pushes the rest of the line right.
QString line(const RecordRow &cells);
// Printed once, under the heading line.
QString ruleLine();
// Three lines " -" and an empty line, printed before the heading line.
QStringList preamble();

} // namespace Printout
