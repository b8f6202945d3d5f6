// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdio>

// Text for standard output or standard error, as the system shows it: UTF-8 on POSIX; on
// Windows the console's own wide characters when the stream is a console (its code page is
// not the program's), UTF-8 bytes when it is a file or a pipe.
namespace ConsoleText {

void write(std::FILE *stream, const QString &text);

} // namespace ConsoleText
