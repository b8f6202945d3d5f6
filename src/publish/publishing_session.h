// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel/sample.h"
#include "publish/publisher.h"

#include <QObject>
#include <QPointer>

#include <memory>

class BrokerClient;
class Clock;
class PanelModel;
class Recorder;
class Sampler;

// The window's publishing: at most one Publisher at a time on the given broker client, fed
// with the samples (it is subscribed to the sampler once, after the recorder) and with the
// live readings at every sampling tick. The "Publishing" window starts and stops it.
class PublishingSession : public QObject, public SampleSink {
    Q_OBJECT

public:
    struct Settings {
        QString url; // mqtt://host[:port] or mqtts://host[:port]
        QString caFile;
        QString user;
        QString name;
    };

    PublishingSession(BrokerClient &client, Sampler &sampler, PanelModel &panel, Recorder &recorder,
                      const Clock &clock, QString defaultName, QObject *parent = nullptr);
    ~PublishingSession() override;

    // Starts publishing with these settings (what is published now ends first). The
    // reason they cannot be used, empty when publishing started.
    QString start(const Settings &settings, const QString &password);
    // Settings to show in the window, without publishing.
    void remember(const Settings &settings) { m_settings = settings; }
    // Delivers what waits for a moment, says "offline" and disconnects.
    void stop();

    bool isPublishing() const {
        return m_publisher && m_publisher->state() != Publisher::State::Finished;
    }
    const Settings &settings() const { return m_settings; }
    QString defaultName() const { return m_defaultName; }
    // "not publishing", or the broker and how it goes: "mqtt://host:1883: connected,
    // 0 waiting".
    QString statusText() const;

    bool takeSample(const Sample &sample) override;
    // An alarm's start or end, published while publishing.
    void takeAlarm(const AlarmEvent &event);

signals:
    void changed();
    void problem(const QString &message);

private:
    BrokerClient &m_client;
    PanelModel &m_panel;
    Recorder &m_recorder;
    const Clock &m_clock;
    QString m_defaultName;
    Settings m_settings;
    std::unique_ptr<Publisher> m_publisher;
};
