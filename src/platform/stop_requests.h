// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

// The system's requests that a run without a window end, answered in the event loop: one
// call of the handler with the request's name ("SIGTERM", "Ctrl+C", "logoff"), after which
// the run stops with its file complete. One at a time: a second request after the first
// ends the program as if nothing handled it.
class StopRequests {
public:
    using Handler = std::function<void(const QString &name)>;

    virtual ~StopRequests() = default;

    // False when the system did not let the requests be caught.
    virtual bool isValid() const = 0;
    // What a user reads when they cannot be caught ("SIGINT, SIGTERM and SIGHUP").
    virtual QString names() const = 0;
};
