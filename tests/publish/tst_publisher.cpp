// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_broker_client.h"
#include "publish/broker_address.h"
#include "publish/publish_messages.h"
#include "publish/publisher.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString SampleTopic = QStringLiteral("thermodesk/lab1/sample");
const QString StatusTopic = QStringLiteral("thermodesk/lab1/status");
const QString LiveTopic = QStringLiteral("thermodesk/lab1/live");
const QString AlarmTopic = QStringLiteral("thermodesk/lab1/alarm");

Sample sampleOf(int n) {
    return {QStringLiteral("2026/12/10 14:03:%1").arg(n % 60, 2, 10, QLatin1Char('0')),
            QString::number(20 + n),
            QStringLiteral("240"),
            QString::number(20 + n - 240),
            QStringLiteral("K"),
            QStringLiteral("°C")};
}

// The record numbers of the sample payloads published, in order.
QList<qint64> recordsOf(const QList<QByteArray> &payloads) {
    QList<qint64> records;
    for (const QByteArray &payload : payloads)
        records.append(QJsonDocument::fromJson(payload).object().value("record").toInteger());
    return records;
}

QList<qint64> range(qint64 first, qint64 last) {
    QList<qint64> numbers;
    for (qint64 n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

} // namespace

// The publisher against a broker connection the test drives: what goes out, in which order,
// what waits while the broker is away and what goes when the queue is full.
class TestPublisher : public QObject {
    Q_OBJECT

private slots:
    void init();

    void connectingPublishesStateAndSensors();
    void samplesWaitAndGoOutInOrderAfterReconnecting();
    void fullQueueDropsTheOldest();
    void failuresAreToldOnceAndRetriedLonger();
    void finishDeliversThenSaysOffline();
    void finishWithoutBrokerEndsAtOnce();
    void alarmsWaitAndGoOutAmongTheSamples();

    void sampleMessage_data();
    void sampleMessage();
    void brokerAddress_data();
    void brokerAddress();

private:
    void makePublisher(qsizetype capacity, int window);
    void take(int first, int last) {
        for (int n = first; n <= last; ++n)
            m_publisher->takeSample(sampleOf(n));
    }

    FakeBrokerClient m_client;
    std::unique_ptr<Publisher> m_publisher;
};

void TestPublisher::init() {
    m_client = FakeBrokerClient();
    makePublisher(Publisher::DefaultCapacity, 4);
}

void TestPublisher::makePublisher(qsizetype capacity, int window) {
    m_publisher.reset();
    Publisher::Options options;
    options.broker.host = QStringLiteral("broker.lab");
    options.broker.port = 1883;
    options.brokerUrl = QStringLiteral("mqtt://broker.lab:1883");
    options.name = QStringLiteral("lab1");
    options.capacity = capacity;
    options.window = window;
    m_publisher = std::make_unique<Publisher>(m_client, options);
}

void TestPublisher::connectingPublishesStateAndSensors() {
    m_publisher->startConnecting();
    QCOMPARE(m_client.opens, 1);
    QCOMPARE(m_client.lastSettings.willTopic, StatusTopic);
    QCOMPARE(m_client.lastSettings.willPayload, QByteArray("offline"));
    QCOMPARE(m_publisher->state(), Publisher::State::Connecting);

    m_client.accept();
    QCOMPARE(m_client.published.size(), 1);
    const FakeBrokerClient::Message online = m_client.published.first();
    QCOMPARE(online.topic, StatusTopic);
    QCOMPARE(online.payload, QByteArray("online"));
    QVERIFY(online.retain);

    // The sensors carry the unit, so they are announced with the first live readings,
    // and again when the unit changes.
    LiveValues live{QStringLiteral("25.3"), QStringLiteral("OL"), QStringLiteral("----"),
                    QStringLiteral("K"),    QStringLiteral("°C"), {}};
    const QDateTime time(QDate(2026, 12, 10), QTime(14, 3, 5), Qt::OffsetFromUTC, 3600);
    m_publisher->showLive(live, time);
    m_publisher->showLive(live, time.addSecs(1));
    live.UnitText = QStringLiteral("°F");
    m_publisher->showLive(live, time.addSecs(2));
    QStringList topics;
    for (const auto &message : m_client.published.mid(1)) {
        QVERIFY2(message.retain, qPrintable(message.topic));
        topics << message.topic;
    }
    const QStringList sensors{QStringLiteral("homeassistant/sensor/thermodesk_lab1_T1/config"),
                              QStringLiteral("homeassistant/sensor/thermodesk_lab1_T2/config"),
                              QStringLiteral("homeassistant/sensor/thermodesk_lab1_T1-T2/config")};
    QCOMPARE(topics,
             (sensors + QStringList{LiveTopic, LiveTopic} + sensors + QStringList{LiveTopic}));

    const QJsonObject sensor = QJsonDocument::fromJson(m_client.published.at(1).payload).object();
    QCOMPARE(sensor.value("device_class").toString(), QStringLiteral("temperature"));
    QCOMPARE(sensor.value("unit_of_measurement").toString(), QStringLiteral("°C"));
    QCOMPARE(sensor.value("state_topic").toString(), LiveTopic);
    QCOMPARE(sensor.value("value_template").toString(), QStringLiteral("{{ value_json['T1'] }}"));
    QCOMPARE(m_client.published.at(4).payload,
             QByteArray("{\"time\":\"2026-12-10T14:03:05+01:00\",\"T1\":25.3,\"T2\":null,"
                        "\"T2_text\":\"OL\",\"T1-T2\":null,\"T1-T2_text\":\"----\","
                        "\"type\":\"K\",\"unit\":\"°C\"}"));
}

void TestPublisher::samplesWaitAndGoOutInOrderAfterReconnecting() {
    m_publisher->startConnecting();
    take(1, 3); // before the broker answers
    QCOMPARE(m_publisher->waiting(), 3);
    m_client.accept();
    take(4, 10);
    // At most the window is in flight; the rest follows the acknowledgements.
    QCOMPARE(recordsOf(m_client.payloadsOn(SampleTopic)), range(1, 4));
    QCOMPARE(m_publisher->waiting(), 10);
    m_client.acknowledge(3); // "online" and two samples
    QCOMPARE(recordsOf(m_client.payloadsOn(SampleTopic)), range(1, 6));
    QCOMPARE(m_publisher->waiting(), 8);

    // The connection goes with 3..6 in flight: they go out again first, then the rest.
    // Whoever hears of it sees the state it left.
    QObject listener;
    QList<Publisher::State> told;
    connect(m_publisher.get(), &Publisher::connectedChanged, &listener,
            [&] { told << m_publisher->state(); });
    m_client.end(QStringLiteral("Connection reset by peer"));
    QCOMPARE(told, QList<Publisher::State>{Publisher::State::Retrying});
    take(11, 12);
    QCOMPARE(m_publisher->waiting(), 10);
    m_client.published.clear();
    m_client.accept();
    while (!m_client.unacknowledged.isEmpty())
        m_client.acknowledge(1);
    QCOMPARE(recordsOf(m_client.payloadsOn(SampleTopic)), range(3, 12));
    QCOMPARE(m_publisher->waiting(), 0);
    QCOMPARE(m_publisher->deliveredCount(), 12);
    QCOMPARE(m_publisher->dropped(), 0);
    QCOMPARE(m_publisher->statusText(), QStringLiteral("connected, 0 waiting"));
    const auto sample = m_client.published.constLast();
    QCOMPARE(sample.qos, 1);
    QVERIFY(!sample.retain);
}

void TestPublisher::fullQueueDropsTheOldest() {
    makePublisher(10, 4);
    m_publisher->startConnecting();
    take(1, 15);
    QCOMPARE(m_publisher->waiting(), 10);
    QCOMPARE(m_publisher->dropped(), 5);
    m_client.end(QStringLiteral("Connection refused"));
    QCOMPARE(m_publisher->statusText(),
             QStringLiteral("not connected, 10 waiting, 5 dropped: Connection refused"));
    m_client.accept();
    while (!m_client.unacknowledged.isEmpty())
        m_client.acknowledge(1);
    QCOMPARE(recordsOf(m_client.payloadsOn(SampleTopic)), range(6, 15));
}

void TestPublisher::failuresAreToldOnceAndRetriedLonger() {
    QSignalSpy problems(m_publisher.get(), &Publisher::problem);
    m_publisher->startConnecting();
    QList<int> delays;
    for (int attempt = 0; attempt < 9; ++attempt) {
        delays << m_publisher->retryDelayMs();
        m_client.end(QStringLiteral("connection refused: not authorised"));
    }
    QCOMPARE(delays, (QList<int>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000, 60000}));
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().first().toString(),
             QStringLiteral("cannot publish to mqtt://broker.lab:1883: connection refused: "
                            "not authorised"));
    // Connected again, the wait starts short; a new failure is told again.
    m_client.accept();
    QCOMPARE(m_publisher->retryDelayMs(), 1000);
    m_client.end(QStringLiteral("connection refused: not authorised"));
    QCOMPARE(problems.size(), 2);

    // A client that cannot even start connecting is retried the same way.
    m_client.openError = QStringLiteral("this build has no TLS");
    QTRY_COMPARE_WITH_TIMEOUT(m_client.opens, 3, 5000);
    QCOMPARE(problems.size(), 3);
    QCOMPARE(m_publisher->state(), Publisher::State::Retrying);
}

void TestPublisher::finishDeliversThenSaysOffline() {
    QSignalSpy finished(m_publisher.get(), &Publisher::finished);
    m_publisher->startConnecting();
    m_client.accept();
    take(1, 6);
    m_publisher->finish();
    m_client.acknowledge(3); // "online" and two samples
    QVERIFY(m_client.payloadsOn(StatusTopic).size() == 1);
    while (m_client.payloadsOn(StatusTopic).size() == 1 && !m_client.unacknowledged.isEmpty())
        m_client.acknowledge(1);
    QCOMPARE(recordsOf(m_client.payloadsOn(SampleTopic)), range(1, 6));
    QCOMPARE(m_client.payloadsOn(StatusTopic), (QList<QByteArray>{"online", "offline"}));
    QVERIFY(m_client.published.constLast().retain);
    QCOMPARE(finished.size(), 0);
    m_client.acknowledge();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_client.closes, 1);
    QCOMPARE(m_publisher->state(), Publisher::State::Finished);
}

void TestPublisher::finishWithoutBrokerEndsAtOnce() {
    QSignalSpy finished(m_publisher.get(), &Publisher::finished);
    m_publisher->startConnecting();
    take(1, 3);
    m_publisher->finish();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_client.closes, 1);
    // A broker that accepts but never acknowledges holds the end no longer than the deadline.
    m_client = FakeBrokerClient();
    makePublisher(Publisher::DefaultCapacity, 4);
    QSignalSpy finishedLater(m_publisher.get(), &Publisher::finished);
    m_publisher->startConnecting();
    m_client.accept();
    take(1, 3);
    m_publisher->finish();
    QVERIFY(finishedLater.wait(Publisher::FinishDeadlineMs * 2));
    QCOMPARE(m_client.payloadsOn(StatusTopic), (QList<QByteArray>{"online", "offline"}));
}

void TestPublisher::alarmsWaitAndGoOutAmongTheSamples() {
    const QDateTime at(QDate(2026, 12, 10), QTime(14, 3, 5));
    AlarmEvent high;
    high.channel = AlarmChannel::T1;
    high.kind = high.alarm = AlarmEvent::Kind::High;
    high.reading = QStringLiteral(" 251.3");
    high.limit = 250;
    high.unit = QStringLiteral("°C");
    high.time = at;
    AlarmEvent open;
    open.channel = AlarmChannel::Diff;
    open.kind = AlarmEvent::Kind::Clear;
    open.alarm = AlarmEvent::Kind::Open;
    open.reading = QStringLiteral("----");
    open.unit = QStringLiteral("°C");
    open.time = at.addSecs(2);

    m_publisher->startConnecting();
    take(1, 2);
    m_publisher->takeAlarm(high);
    take(3, 3);
    m_publisher->takeAlarm(open);
    QCOMPARE(m_publisher->waiting(), 5); // the broker is not there yet
    m_client.accept();
    for (int round = 0; round < 3; ++round)
        m_client.acknowledge();
    QStringList order;
    for (const FakeBrokerClient::Message &message : std::as_const(m_client.published)) {
        if (message.topic == SampleTopic || message.topic == AlarmTopic) {
            QCOMPARE(message.qos, 1);
            QVERIFY(!message.retain);
            order << message.topic.section('/', -1);
        }
    }
    QCOMPARE(order, (QStringList{"sample", "sample", "alarm", "sample", "alarm"}));
    const QString time = PublishMessages::isoTime(at);
    QCOMPARE(
        m_client.payloadsOn(AlarmTopic),
        (QList<QByteArray>{"{\"time\":\"" + time.toUtf8() +
                               "\",\"channel\":\"T1\",\"event\":\"high\",\"alarm\":\"high\","
                               "\"reading\":251.3,\"limit\":250,\"unit\":\"°C\","
                               "\"text\":\"T1 above 250.0 °C: 251.3 °C\"}",
                           "{\"time\":\"" + PublishMessages::isoTime(at.addSecs(2)).toUtf8() +
                               "\",\"channel\":\"T1-T2\",\"event\":\"clear\",\"alarm\":\"open\","
                               "\"reading\":null,\"reading_text\":\"----\",\"limit\":null,"
                               "\"unit\":\"°C\",\"text\":\"T1-T2 thermocouple open: cleared at "
                               "14:03:07\"}"}));
    QCOMPARE(m_publisher->waiting(), 0);
}

void TestPublisher::sampleMessage_data() {
    QTest::addColumn<Sample>("sample");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("numbers") << Sample{"2026/12/10 14:03:05", "25.3", "240", "-214.7", "K", "°C"}
                             << QByteArray("\"T1\":25.3,\"T2\":240,\"T1-T2\":-214.7,"
                                           "\"type\":\"K\",\"unit\":\"°C\"}");
    QTest::newRow("over and under") << Sample{"2026/12/10 14:03:05", "OL", "-OL", "----", "J", "°F"}
                                    << QByteArray("\"T1\":null,\"T1_text\":\"OL\",\"T2\":null,"
                                                  "\"T2_text\":\"-OL\",\"T1-T2\":null,"
                                                  "\"T1-T2_text\":\"----\",\"type\":\"J\","
                                                  "\"unit\":\"°F\"}");
    QTest::newRow("not a reading")
        << Sample{"2026/12/10 14:03:05", "1.2.3", "-0.5", "\"x\"", "K", "°C"}
        << QByteArray("\"T1\":null,\"T1_text\":\"1.2.3\",\"T2\":-0.5,"
                      "\"T1-T2\":null,\"T1-T2_text\":\"\\\"x\\\"\","
                      "\"type\":\"K\",\"unit\":\"°C\"}");
}

void TestPublisher::sampleMessage() {
    QFETCH(Sample, sample);
    QFETCH(QByteArray, json);
    const QDateTime local = QDateTime::fromString(sample.stamp, "yyyy/MM/dd HH:mm:ss");
    const QByteArray message = PublishMessages::sample(sample, 7);
    QCOMPARE(message,
             "{\"record\":7,\"time\":\"" + PublishMessages::isoTime(local).toUtf8() + "\"," + json);
    QVERIFY(!QJsonDocument::fromJson(message).isNull());
    const QDateTime back = QDateTime::fromString(PublishMessages::isoTime(local), Qt::ISODate);
    QCOMPARE(back.toSecsSinceEpoch(), local.toSecsSinceEpoch());
}

void TestPublisher::brokerAddress_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("normal"); // empty: refused
    QTest::newRow("plain") << "mqtt://broker.lab"
                           << "mqtt://broker.lab:1883";
    QTest::newRow("port") << "mqtt://127.0.0.1:18830"
                          << "mqtt://127.0.0.1:18830";
    QTest::newRow("tls") << "mqtts://broker.lab"
                         << "mqtts://broker.lab:8883";
    QTest::newRow("ipv6") << "mqtt://[::1]:1884"
                          << "mqtt://[::1]:1884";
    QTest::newRow("no scheme") << "broker.lab:1883"
                               << "";
    QTest::newRow("port zero") << "mqtt://broker.lab:0"
                               << "";
    QTest::newRow("port too big") << "mqtt://broker.lab:70000"
                                  << "";
    QTest::newRow("path") << "mqtt://broker.lab/x"
                          << "";
}

void TestPublisher::brokerAddress() {
    QFETCH(QString, url);
    QFETCH(QString, normal);
    QString error;
    const BrokerAddress address = BrokerAddress::parse(url, &error);
    QCOMPARE(address.isValid() ? address.url() : QString(), normal);
    QCOMPARE(error.isEmpty(), !normal.isEmpty());
}

QTEST_GUILESS_MAIN(TestPublisher)
#include "tst_publisher.moc"
