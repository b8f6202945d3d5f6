// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Where the broker is: "mqtt://host[:port]" (1883) or "mqtts://host[:port]" (8883, TLS).
struct BrokerAddress {
    QString host;
    int port = 0;
    bool tls = false;

    // The address of a URL; nothing valid (host empty) with the reason in error.
    static BrokerAddress parse(const QString &url, QString *error);
    // "mqtt://host:port", as messages name the broker.
    QString url() const;
    bool isValid() const { return !host.isEmpty(); }
};
