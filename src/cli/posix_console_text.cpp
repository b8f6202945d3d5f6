// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/console_text.h"

namespace ConsoleText {

void write(std::FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace ConsoleText
