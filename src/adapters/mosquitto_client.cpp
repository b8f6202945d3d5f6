// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/mosquitto_client.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <mosquitto.h>

#include <cerrno>

namespace {

// The library is set up once for the program and left to the system at its end.
void initLibrary() {
    static const bool done = [] {
        mosquitto_lib_init();
        return true;
    }();
    Q_UNUSED(done);
}

QString withoutFullStop(QString text) {
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

MosquittoClient::MosquittoClient(QObject *parent)
    : QObject(parent) {
    initLibrary();
    m_keepAlive.setInterval(1000);
    connect(&m_keepAlive, &QTimer::timeout, this, &MosquittoClient::service);
}

MosquittoClient::~MosquittoClient() {
    destroy();
}

bool MosquittoClient::open(const Settings &settings, QString *error) {
    destroy();
    m_closeRequested = false;
    m_refusal.clear();
    m_lastError.clear();
    m_endReason.clear();
    m_client = mosquitto_new(settings.clientId.toUtf8().constData(), true, this);
    if (!m_client) {
        *error = qt_error_string(errno);
        return false;
    }
    mosquitto_connect_callback_set(m_client, &MosquittoClient::onConnect);
    mosquitto_disconnect_callback_set(m_client, &MosquittoClient::onDisconnect);
    mosquitto_publish_callback_set(m_client, &MosquittoClient::onPublish);
    mosquitto_log_callback_set(m_client, &MosquittoClient::onLog);
    // The publisher bounds what is in flight; the library sends all it is given.
    mosquitto_max_inflight_messages_set(m_client, 0);

    const auto failed = [&](const QString &reason) {
        destroy();
        *error = reason;
        return false;
    };
    if (!settings.user.isEmpty()) {
        const int code = mosquitto_username_pw_set(
            m_client, settings.user.toUtf8().constData(),
            settings.password.isEmpty() ? nullptr : settings.password.toUtf8().constData());
        if (code != MOSQ_ERR_SUCCESS)
            return failed(reasonOf(code));
    }
    if (!settings.willTopic.isEmpty()) {
        const int code = mosquitto_will_set(m_client, settings.willTopic.toUtf8().constData(),
                                            int(settings.willPayload.size()),
                                            settings.willPayload.constData(), 1, true);
        if (code != MOSQ_ERR_SUCCESS)
            return failed(reasonOf(code));
    }
    if (settings.tls) {
        if (!QFileInfo(settings.caFile).isReadable())
            return failed(
                QStringLiteral("cannot read the CA certificates file '%1'").arg(settings.caFile));
        const int code = mosquitto_tls_set(m_client, settings.caFile.toLocal8Bit().constData(),
                                           nullptr, nullptr, nullptr, nullptr);
        if (code == MOSQ_ERR_NOT_SUPPORTED)
            return failed(QStringLiteral("this build has no TLS, mqtts:// is not available"));
        if (code != MOSQ_ERR_SUCCESS)
            return failed(reasonOf(code));
    }
    // Starts connecting without waiting for the broker (a host name is still looked up).
    const int code = mosquitto_connect_async(m_client, settings.host.toUtf8().constData(),
                                             settings.port, KeepAliveSeconds);
    if (code != MOSQ_ERR_SUCCESS)
        return failed(reasonOf(code));
    const int socket = mosquitto_socket(m_client);
    if (socket < 0)
        return failed(QStringLiteral("no connection"));
    m_readable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
    connect(m_readable.get(), &QSocketNotifier::activated, this, &MosquittoClient::service);
    m_writable = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Write);
    connect(m_writable.get(), &QSocketNotifier::activated, this, &MosquittoClient::service);
    m_keepAlive.start();
    watchWrites();
    return true;
}

int MosquittoClient::publish(const QString &topic, const QByteArray &payload, int qos,
                             bool retain) {
    if (!m_client || !m_connected)
        return -1;
    int id = 0;
    // Inside the library's callbacks the message is only queued; it goes once they return.
    const int code = mosquitto_publish(m_client, &id, topic.toUtf8().constData(),
                                       int(payload.size()), payload.constData(), qos, retain);
    if (code != MOSQ_ERR_SUCCESS) {
        if (m_depth == 0)
            afterLibrary(code);
        return -1;
    }
    if (m_depth == 0)
        watchWrites();
    return id;
}

void MosquittoClient::close() {
    // The library's client is not destroyed from inside its own callbacks.
    if (m_depth > 0) {
        m_closeRequested = true;
        return;
    }
    m_closeRequested = false;
    if (m_client && m_connected)
        mosquitto_disconnect(m_client);
    destroy();
}

void MosquittoClient::service() {
    if (!m_client || m_depth > 0)
        return;
    // Never waits: the event loop has seen the socket ready, or it is the timer's turn.
    ++m_depth;
    const int code = mosquitto_loop(m_client, 0, 1);
    --m_depth;
    afterLibrary(code);
}

void MosquittoClient::afterLibrary(int code) {
    if (!m_client)
        return;
    if (m_closeRequested) {
        close();
        return;
    }
    if (m_endReason.isEmpty() && code != MOSQ_ERR_SUCCESS)
        m_endReason = reasonOf(code);
    if (m_endReason.isEmpty()) {
        watchWrites();
        return;
    }
    endConnection(m_endReason);
}

void MosquittoClient::watchWrites() {
    if (m_client && m_writable)
        m_writable->setEnabled(mosquitto_want_write(m_client));
}

void MosquittoClient::endConnection(const QString &reason) {
    destroy();
    if (m_events.connectionEnded)
        m_events.connectionEnded(reason);
}

void MosquittoClient::destroy() {
    m_keepAlive.stop();
    m_readable.reset();
    m_writable.reset();
    m_connected = false;
    if (m_client) {
        mosquitto *client = m_client;
        m_client = nullptr;
        mosquitto_destroy(client);
    }
}

QString MosquittoClient::reasonOf(int code) const {
    if (!m_refusal.isEmpty())
        return m_refusal;
    if (code == MOSQ_ERR_ERRNO)
        return qt_error_string(errno);
    if (code == MOSQ_ERR_TLS && !m_lastError.isEmpty())
        return QStringLiteral("TLS: ") + m_lastError;
    if (code == MOSQ_ERR_NO_CONN || code == MOSQ_ERR_CONN_LOST)
        return QStringLiteral("the connection was lost");
    return withoutFullStop(QString::fromUtf8(mosquitto_strerror(code)));
}

void MosquittoClient::onConnect(mosquitto *, void *self, int code) {
    auto *me = static_cast<MosquittoClient *>(self);
    if (code != 0) {
        // "Connection Refused: not authorised."
        me->m_refusal = withoutFullStop(QString::fromUtf8(mosquitto_connack_string(code)));
        me->m_endReason = me->m_refusal;
        return;
    }
    me->m_connected = true;
    if (me->m_events.connected)
        me->m_events.connected();
}

void MosquittoClient::onDisconnect(mosquitto *, void *self, int code) {
    auto *me = static_cast<MosquittoClient *>(self);
    const QString reason = me->reasonOf(code == 0 ? MOSQ_ERR_CONN_LOST : code);
    if (me->m_endReason.isEmpty())
        me->m_endReason = reason;
}

void MosquittoClient::onPublish(mosquitto *, void *self, int messageId) {
    auto *me = static_cast<MosquittoClient *>(self);
    if (me->m_events.delivered)
        me->m_events.delivered(messageId);
}

void MosquittoClient::onLog(mosquitto *, void *self, int level, const char *text) {
    if (level & MOSQ_LOG_ERR)
        static_cast<MosquittoClient *>(self)->m_lastError = QString::fromUtf8(text);
}
