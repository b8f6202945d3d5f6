// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// A connection to a message broker, for publishing. Opening only starts connecting; what
// happens later (connected, refused, lost, a message delivered) comes back as events from
// the event loop, so nothing here ever blocks the caller.
class BrokerClient {
public:
    struct Settings {
        QString host;
        int port = 1883;
        bool tls = false;
        QString caFile; // with tls: the certificates the broker's is checked against
        QString user;   // empty: no user name
        QString password;
        QString clientId;
        // What the broker publishes, retained, when the connection is lost.
        QString willTopic;
        QByteArray willPayload;
    };

    // What the client reports; an event left empty is not reported. Callbacks rather than
    // an interface to implement, so that the client knows nothing of who listens.
    struct Events {
        std::function<void()> connected;
        // The connection could not be made or was lost; reason in the system's or the
        // broker's words. The client is closed again and may be opened anew.
        std::function<void(const QString &reason)> connectionEnded;
        // The broker acknowledged the message publish() returned this id for.
        std::function<void(int messageId)> delivered;
    };

    virtual ~BrokerClient() = default;

    virtual void setEvents(Events events) = 0;
    // Starts connecting. False, with the reason in error, when it cannot even start (no
    // TLS in this build, a CA file that cannot be read, a host name that does not resolve).
    virtual bool open(const Settings &settings, QString *error) = 0;
    // Sends a message on the open connection; its id, or -1 when it could not be queued.
    virtual int publish(const QString &topic, const QByteArray &payload, int qos, bool retain) = 0;
    // Disconnects cleanly (the broker then does not publish the will).
    virtual void close() = 0;
};
