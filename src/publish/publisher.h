// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/alarm_event.h"
#include "panel/sample.h"
#include "platform/broker_client.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// Publishes a meter's samples, alarms, live readings and state to a broker, beside the
// recording and never in its way: a sample is queued and taken at once, whatever the broker
// does. Samples and alarms that are not delivered yet wait in a bounded queue (the oldest go when
// it is full, counted) and go out in order, a bounded number in flight at a time, each sent again
// after a reconnection until the broker acknowledges it. A lost or refused connection is
// retried after 1 s, 2 s, 4 s, ... up to a minute.
class Publisher : public QObject, public SampleSink {
    Q_OBJECT

public:
    enum class State { Idle, Connecting, Connected, Retrying, Finished };

    // A day of samples at one a second.
    static constexpr qsizetype DefaultCapacity = 86400;
    static constexpr int DefaultWindow = 200;
    static constexpr int FirstRetryMs = 1000;
    static constexpr int LongestRetryMs = 60000;
    static constexpr int FinishDeadlineMs = 3000;

    struct Options {
        BrokerClient::Settings broker; // the will and client id are the publisher's own
        QString brokerUrl;             // how messages name the broker
        QString name;                  // the meter's, in the topics
        qsizetype capacity = DefaultCapacity;
        int window = DefaultWindow; // samples in flight at most
    };

    Publisher(BrokerClient &client, Options options, QObject *parent = nullptr);
    ~Publisher() override;

    // The record number of the sample just taken, 0 when it is not recorded: samples are
    // then numbered by the publisher itself.
    void setRecordNumbers(std::function<qint64()> recordNumber) {
        m_recordNumber = std::move(recordNumber);
    }

    // Starts connecting.
    void startConnecting();
    // Delivers what waits (for at most FinishDeadlineMs), publishes "offline" and
    // disconnects; finished() when done.
    void finish();

    // After the recorder: queues the sample (one taken before the meter spoke is passed over).
    bool takeSample(const Sample &sample) override;
    // Queues an alarm's start or end for "alarm", in its place among the samples.
    void takeAlarm(const AlarmEvent &event);
    // The latest live readings, retained on "live"; the caller calls it once a second.
    void showLive(const LiveValues &live, const QDateTime &time);

    State state() const { return m_state; }
    // Samples (and alarms) not yet acknowledged: queued or in flight.
    qsizetype waiting() const { return qsizetype(m_queue.size() + m_inFlight.size()); }
    qint64 dropped() const { return m_dropped; }
    qint64 deliveredCount() const { return m_delivered; }
    QString lastError() const { return m_lastError; }
    const QString &brokerUrl() const { return m_options.brokerUrl; }
    const QString &name() const { return m_options.name; }
    // The wait before the next attempt after a failure.
    int retryDelayMs() const { return m_retryDelayMs; }
    // "connected, 0 waiting", "not connected, 12 waiting, 3 dropped: Connection refused".
    QString statusText() const;

signals:
    // The state, the waiting samples or the last error changed.
    void changed();
    // A new reason why publishing does not work, naming the broker; said once per reason.
    void problem(const QString &message);
    void connectedChanged(bool connected);
    void finished();

private:
    // A sample or an alarm on its way: both go out at least once and in their order.
    struct Message {
        QByteArray payload;
        bool isAlarm = false;
    };
    struct InFlight {
        int id;
        Message message;
    };

    // What the broker client reports.
    void whenConnected();
    void whenConnectionEnded(const QString &reason);
    void whenDelivered(int messageId);

    void connectNow();
    void enqueue(Message message);
    void feed();
    void publishState();
    void publishLive();
    void publishDiscovery();
    void sendOffline();
    void closeNow();
    void fail(const QString &reason);
    void setState(State state);

    BrokerClient &m_client;
    Options m_options;
    std::function<qint64()> m_recordNumber;
    qint64 m_samples = 0;
    QString m_sampleTopic;
    QString m_alarmTopic;
    std::deque<Message> m_queue;
    std::deque<InFlight> m_inFlight;
    qint64 m_dropped = 0;
    qint64 m_delivered = 0;
    State m_state = State::Idle;
    QString m_lastError;
    QString m_lastProblem;
    QTimer m_retry;
    int m_retryDelayMs = FirstRetryMs;
    LiveValues m_live;
    QDateTime m_liveTime;
    bool m_liveDirty = false;
    QString m_discoveredUnit;
    bool m_finishing = false;
    int m_offlineId = -1;
    QTimer m_finishDeadline;
};
