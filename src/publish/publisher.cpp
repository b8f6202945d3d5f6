// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/publisher.h"

#include "publish/publish_messages.h"

#include <QUuid>

#include <algorithm>

namespace {

const QByteArray Online = QByteArrayLiteral("online");
const QByteArray Offline = QByteArrayLiteral("offline");
constexpr int AtLeastOnce = 1;

} // namespace

Publisher::Publisher(BrokerClient &client, Options options, QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_options(std::move(options)) {
    m_options.broker.willTopic = PublishMessages::topic(m_options.name, "status");
    m_sampleTopic = PublishMessages::topic(m_options.name, "sample");
    m_alarmTopic = PublishMessages::topic(m_options.name, "alarm");
    m_options.broker.willPayload = Offline;
    if (m_options.broker.clientId.isEmpty())
        m_options.broker.clientId =
            QStringLiteral("thermodesk-%1-%2")
                .arg(m_options.name, QUuid::createUuid().toString(QUuid::Id128).left(8));
    m_options.window = std::max(1, m_options.window);
    m_options.capacity = std::max<qsizetype>(m_options.capacity, m_options.window);
    m_client.setEvents({
        .connected = [this] { whenConnected(); },
        .connectionEnded = [this](const QString &reason) { whenConnectionEnded(reason); },
        .delivered = [this](int messageId) { whenDelivered(messageId); },
    });
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &Publisher::connectNow);
    m_finishDeadline.setSingleShot(true);
    connect(&m_finishDeadline, &QTimer::timeout, this, [this] {
        if (m_state == State::Connected && m_offlineId < 0) {
            sendOffline();
            return;
        }
        closeNow();
    });
}

Publisher::~Publisher() {
    m_client.setEvents({});
}

void Publisher::startConnecting() {
    if (m_state == State::Idle)
        connectNow();
}

void Publisher::connectNow() {
    if (m_finishing)
        return;
    setState(State::Connecting);
    QString error;
    if (!m_client.open(m_options.broker, &error))
        fail(error);
}

void Publisher::whenConnected() {
    m_retry.stop();
    m_retryDelayMs = FirstRetryMs;
    m_lastError.clear();
    m_lastProblem.clear();
    setState(State::Connected);
    emit connectedChanged(true);
    publishState();
    m_discoveredUnit.clear();
    publishDiscovery();
    publishLive();
    feed();
    if (m_finishing && waiting() == 0)
        sendOffline();
}

void Publisher::whenConnectionEnded(const QString &reason) {
    const bool wasConnected = m_state == State::Connected;
    // What was in flight goes out again first, in its order.
    for (auto it = m_inFlight.rbegin(); it != m_inFlight.rend(); ++it)
        m_queue.push_front(std::move(it->message));
    m_inFlight.clear();
    m_offlineId = -1;
    if (m_finishing) {
        m_lastError = reason;
        closeNow();
        return;
    }
    fail(reason);
    if (wasConnected)
        emit connectedChanged(false);
}

void Publisher::fail(const QString &reason) {
    m_lastError = reason;
    const QString message =
        QStringLiteral("cannot publish to %1: %2").arg(m_options.brokerUrl, reason);
    if (message != m_lastProblem) {
        m_lastProblem = message;
        emit problem(message);
    }
    if (m_finishing) {
        closeNow();
        return;
    }
    setState(State::Retrying);
    m_retry.start(m_retryDelayMs);
    m_retryDelayMs = std::min(m_retryDelayMs * 2, LongestRetryMs);
}

void Publisher::whenDelivered(int messageId) {
    if (messageId == m_offlineId && m_finishing) {
        closeNow();
        return;
    }
    const auto it = std::find_if(m_inFlight.begin(), m_inFlight.end(),
                                 [messageId](const InFlight &f) { return f.id == messageId; });
    if (it == m_inFlight.end())
        return; // a retained message of the state
    m_inFlight.erase(it);
    ++m_delivered;
    feed();
    if (m_finishing && waiting() == 0 && m_offlineId < 0)
        sendOffline();
    emit changed();
}

void Publisher::feed() {
    if (m_state != State::Connected)
        return;
    while (!m_queue.empty() && qsizetype(m_inFlight.size()) < m_options.window) {
        const Message &next = m_queue.front();
        const int id = m_client.publish(next.isAlarm ? m_alarmTopic : m_sampleTopic, next.payload,
                                        AtLeastOnce, false);
        if (id < 0)
            return; // the connection is going; what is left waits for the next one
        m_inFlight.push_back({id, std::move(m_queue.front())});
        m_queue.pop_front();
    }
}

bool Publisher::takeSample(const Sample &sample) {
    if (sample.UnitText.isEmpty() || m_state == State::Finished)
        return true;
    ++m_samples;
    const qint64 recorded = m_recordNumber ? m_recordNumber() : 0;
    const qint64 record = recorded > 0 ? recorded : m_samples;
    enqueue({PublishMessages::sample(sample, record), false});
    return true;
}

void Publisher::takeAlarm(const AlarmEvent &event) {
    if (m_state != State::Finished)
        enqueue({PublishMessages::alarm(event), true});
}

void Publisher::enqueue(Message message) {
    if (waiting() >= m_options.capacity) {
        // The oldest not yet sent goes; the ones in flight are on their way already.
        if (m_queue.empty()) {
            ++m_dropped;
            emit changed();
            return;
        }
        m_queue.pop_front();
        ++m_dropped;
    }
    m_queue.push_back(std::move(message));
    feed();
    emit changed();
}

void Publisher::showLive(const LiveValues &live, const QDateTime &time) {
    if (live.UnitText.isEmpty())
        return;
    m_live = live;
    m_liveTime = time;
    m_liveDirty = true;
    publishDiscovery();
    publishLive();
}

void Publisher::publishState() {
    m_client.publish(PublishMessages::topic(m_options.name, "status"), Online, AtLeastOnce, true);
}

void Publisher::publishLive() {
    if (m_state != State::Connected || !m_liveDirty)
        return;
    if (m_client.publish(PublishMessages::topic(m_options.name, "live"),
                         PublishMessages::live(m_live, m_liveTime), AtLeastOnce, true) >= 0)
        m_liveDirty = false;
}

void Publisher::publishDiscovery() {
    // The sensors carry the meter's unit: announced once it is known, again when it changes.
    if (m_state != State::Connected || m_live.UnitText.isEmpty() ||
        m_live.UnitText == m_discoveredUnit)
        return;
    for (const QString &channel : PublishMessages::channels())
        m_client.publish(PublishMessages::discoveryTopic(m_options.name, channel),
                         PublishMessages::discovery(m_options.name, channel, m_live.UnitText),
                         AtLeastOnce, true);
    m_discoveredUnit = m_live.UnitText;
}

void Publisher::finish() {
    if (m_finishing || m_state == State::Finished)
        return;
    m_finishing = true;
    m_retry.stop();
    if (m_state != State::Connected) {
        closeNow();
        return;
    }
    m_finishDeadline.start(FinishDeadlineMs);
    if (waiting() == 0)
        sendOffline();
}

void Publisher::sendOffline() {
    m_offlineId = m_client.publish(PublishMessages::topic(m_options.name, "status"), Offline,
                                   AtLeastOnce, true);
    if (m_offlineId < 0) {
        closeNow();
        return;
    }
    m_finishDeadline.start(FinishDeadlineMs / 3);
}

void Publisher::closeNow() {
    if (m_state == State::Finished)
        return;
    m_finishDeadline.stop();
    m_retry.stop();
    const bool wasConnected = m_state == State::Connected;
    setState(State::Finished);
    m_client.close();
    if (wasConnected)
        emit connectedChanged(false);
    emit finished();
}

void Publisher::setState(State state) {
    if (m_state == state)
        return;
    m_state = state;
    emit changed();
}

QString Publisher::statusText() const {
    static const char *const Words[] = {"not connected", "connecting", "connected", "not connected",
                                        "closed"};
    QString text =
        QStringLiteral("%1, %2 waiting").arg(QLatin1String(Words[int(m_state)])).arg(waiting());
    if (m_dropped > 0)
        text += QStringLiteral(", %1 dropped").arg(m_dropped);
    if (!m_lastError.isEmpty() && m_state != State::Connected)
        text += QStringLiteral(": ") + m_lastError;
    return text;
}
