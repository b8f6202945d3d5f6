// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/broker_client.h"

#include <QList>

// A broker connection the test drives: it records what is published and connects, loses
// the connection and acknowledges messages when the test says so.
class FakeBrokerClient : public BrokerClient {
public:
    struct Message {
        int id;
        QString topic;
        QByteArray payload;
        int qos;
        bool retain;
    };

    void setEvents(Events events) override { m_events = std::move(events); }
    bool open(const Settings &settings, QString *error) override {
        ++opens;
        lastSettings = settings;
        if (!openError.isEmpty()) {
            *error = openError;
            return false;
        }
        isOpen = true;
        return true;
    }
    int publish(const QString &topic, const QByteArray &payload, int qos, bool retain) override {
        if (!isConnected)
            return -1;
        const int id = ++m_lastId;
        published.append({id, topic, payload, qos, retain});
        unacknowledged.append(id);
        return id;
    }
    void close() override {
        isOpen = false;
        isConnected = false;
        ++closes;
    }

    // The broker accepts the connection.
    void accept() {
        isConnected = true;
        m_events.connected();
    }
    // The connection is refused or lost; messages not acknowledged are gone with it.
    void end(const QString &reason) {
        isOpen = false;
        isConnected = false;
        unacknowledged.clear();
        m_events.connectionEnded(reason);
    }
    // The broker acknowledges the oldest count messages (all by default).
    void acknowledge(qsizetype count = -1) {
        while (!unacknowledged.isEmpty() && count-- != 0)
            m_events.delivered(unacknowledged.takeFirst());
    }
    // The payloads published on topic, in order.
    QList<QByteArray> payloadsOn(const QString &topic) const {
        QList<QByteArray> payloads;
        for (const Message &message : published)
            if (message.topic == topic)
                payloads.append(message.payload);
        return payloads;
    }

    QString openError;
    Settings lastSettings;
    QList<Message> published;
    QList<int> unacknowledged;
    int opens = 0;
    int closes = 0;
    bool isOpen = false;
    bool isConnected = false;

private:
    Events m_events;
    int m_lastId = 0;
};
