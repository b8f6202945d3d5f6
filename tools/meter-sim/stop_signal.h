// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace metersim {

/// Turns SIGINT, SIGTERM and SIGHUP into a readable pipe, so the event loop can stop cleanly.
class StopSignal {
public:
    static bool install(std::string &error);
    // Readable once a stop signal arrived.
    static int fd();
};

} // namespace metersim
