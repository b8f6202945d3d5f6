// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/publishing_session.h"

#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "platform/clock.h"
#include "publish/broker_address.h"
#include "publish/publish_messages.h"

PublishingSession::PublishingSession(BrokerClient &client, Sampler &sampler, PanelModel &panel,
                                     Recorder &recorder, const Clock &clock, QString defaultName,
                                     QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_panel(panel)
    , m_recorder(recorder)
    , m_clock(clock)
    , m_defaultName(std::move(defaultName)) {
    sampler.subscribe(this);
    connect(&m_panel, &PanelModel::samplingTick, this, [this] {
        if (isPublishing())
            m_publisher->showLive(m_panel.live(), m_clock.now());
    });
}

PublishingSession::~PublishingSession() = default;

QString PublishingSession::start(const Settings &settings, const QString &password) {
    QString error;
    const BrokerAddress address = BrokerAddress::parse(settings.url.trimmed(), &error);
    if (!address.isValid())
        return QStringLiteral("The broker's address ") + error + QLatin1Char('.');
    if (address.tls && settings.caFile.isEmpty())
        return QStringLiteral("mqtts:// needs the file of the CA certificates.");
    const QString name = settings.name.isEmpty() ? m_defaultName : settings.name;
    if (!PublishMessages::isValidName(name))
        return QStringLiteral("The name may hold letters, digits, - and _ only (at most 64).");

    // The connection of the previous settings ends here; the broker then says "offline"
    // for it through its will.
    m_publisher.reset();
    m_client.close();
    m_settings = settings;
    Publisher::Options options;
    options.broker.host = address.host;
    options.broker.port = address.port;
    options.broker.tls = address.tls;
    options.broker.caFile = settings.caFile;
    options.broker.user = settings.user;
    options.broker.password = password;
    options.brokerUrl = address.url();
    options.name = name;
    m_publisher = std::make_unique<Publisher>(m_client, options);
    m_publisher->setRecordNumbers(
        [this] { return m_recorder.Recording() ? m_recorder.RecordCount() : 0; });
    connect(m_publisher.get(), &Publisher::changed, this, &PublishingSession::changed);
    connect(m_publisher.get(), &Publisher::problem, this, &PublishingSession::problem);
    m_publisher->startConnecting();
    m_publisher->showLive(m_panel.live(), m_clock.now());
    emit changed();
    return {};
}

void PublishingSession::stop() {
    if (isPublishing())
        m_publisher->finish();
    emit changed();
}

QString PublishingSession::statusText() const {
    if (!isPublishing())
        return QStringLiteral("not publishing");
    return m_publisher->brokerUrl() + QStringLiteral(": ") + m_publisher->statusText();
}

bool PublishingSession::takeSample(const Sample &sample) {
    if (isPublishing())
        m_publisher->takeSample(sample);
    return true;
}

void PublishingSession::takeAlarm(const AlarmEvent &event) {
    if (isPublishing())
        m_publisher->takeAlarm(event);
}
