// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/broker_client.h"

#include <QObject>
#include <QTimer>

#include <memory>

struct mosquitto;
class QSocketNotifier;

// The broker connection through libmosquitto, driven by the event loop: its socket is
// watched for reading (and for writing while it has something to send), a timer keeps the
// connection alive, and the connection is made without waiting for it. Each connection is
// a fresh client, so nothing of a lost one is sent again behind the publisher's back.
class MosquittoClient : public QObject, public BrokerClient {
    Q_OBJECT

public:
    static constexpr int KeepAliveSeconds = 30;

    explicit MosquittoClient(QObject *parent = nullptr);
    ~MosquittoClient() override;

    void setEvents(Events events) override { m_events = std::move(events); }
    bool open(const Settings &settings, QString *error) override;
    int publish(const QString &topic, const QByteArray &payload, int qos, bool retain) override;
    void close() override;

private:
    static void onConnect(mosquitto *client, void *self, int code);
    static void onDisconnect(mosquitto *client, void *self, int code);
    static void onPublish(mosquitto *client, void *self, int messageId);
    static void onLog(mosquitto *client, void *self, int level, const char *text);

    // Lets the library read, write and keep the connection alive, then acts on its answer.
    void service();
    void afterLibrary(int code);
    void watchWrites();
    QString reasonOf(int code) const;
    void endConnection(const QString &reason);
    void destroy();

    Events m_events;
    mosquitto *m_client = nullptr;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    QTimer m_keepAlive;
    bool m_connected = false;
    int m_depth = 0;               // calls into the library under way
    bool m_closeRequested = false; // close() asked for from inside a callback
    QString m_endReason;           // set by the library's callbacks while it runs
    QString m_refusal;             // the broker's answer to the connection
    QString m_lastError;           // the library's last error line (TLS)
};
