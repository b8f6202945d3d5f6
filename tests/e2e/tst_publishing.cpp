// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "e2e/test_broker.h"
#include "e2e/virtual_meter.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "record 3  2026/12/10 14:03:05  T1 25.3  T2 22.1  T1-T2 3.2  °C  mqtt connected, 0 waiting",
// with "  ALARM T1" and the like before "mqtt" while an alarm lasts.
const QRegularExpression StatusLine(
    QStringLiteral("^record (\\d+)  (\\S+ \\S+)  T1 (\\S+)  T2 (\\S+)  T1-T2 (\\S+)  (\\S+)"
                   "(?:  ALARM \\S+)*  mqtt (.*)$"));

// A record file's rows: the five fields of each line after the heading.
QList<QStringList> rowsOf(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines.mid(1)) {
        if (line.isEmpty())
            continue;
        QStringList fields = QString::fromLatin1(line.trimmed()).split(QLatin1Char('\t'));
        rows.append(fields.mid(0, 5));
    }
    return rows;
}

QString readingText(const QJsonObject &sample, const QString &channel) {
    const QJsonValue value = sample.value(channel);
    return value.isNull() ? sample.value(channel + "_text").toString()
                          : QString::number(value.toDouble(), 'f', -1);
}

// The reading text as the record holds it, as a number where it is one ("25.0" is 25).
QString asNumber(const QString &text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? QString::number(value, 'f', -1) : text;
}

} // namespace

// `thermodesk --record --mqtt` against a real broker started by the test and the virtual
// meter: what a subscriber sees, a broker that goes away and comes back, and the brokers
// that cannot be used; the recording is the same in every case.
class TestPublishing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void publishesSamplesLiveStatusAndSensors_data();
    void publishesSamplesLiveStatusAndSensors();
    void brokerAwayLosesNoSample();
    void unusableBrokerIsToldAndRecordingGoesOn_data();
    void unusableBrokerIsToldAndRecordingGoesOn();

private:
    void start(const QStringList &arguments, const QProcessEnvironment &extra = {});
    // Sends SIGTERM once count records are written; false when they were not in time.
    bool stopAfter(int count, int timeoutMs = 20000);
    bool finish();
    QStringList statusLines();
    // Compares the record file with the samples published for it.
    void checkSamples(const QString &file, TestSubscriber &subscriber, const QString &name);
    bool makeCertificates();

    QTemporaryDir m_dir;
    VirtualMeter m_meter;
    QProcess m_program;
    QByteArray m_stderr;
    QString m_certificates;
};

void TestPublishing::initTestCase() {
#if defined(Q_OS_WIN)
    QSKIP("the test's broker and subscriber are programs of the Linux machine");
#endif
    QVERIFY(m_dir.isValid());
    QVERIFY(m_meter.start());
    QVERIFY2(makeCertificates(), "openssl could not make the test's certificates");
    connect(&m_program, &QProcess::readyReadStandardError, this,
            [this] { m_stderr += m_program.readAllStandardError(); });
}

bool TestPublishing::makeCertificates() {
    m_certificates = m_dir.filePath(QStringLiteral("certs"));
    QDir().mkpath(m_certificates);
    const auto openssl = [this](const QStringList &arguments) {
        QProcess tool;
        tool.setWorkingDirectory(m_certificates);
        tool.start(QStringLiteral("openssl"), arguments);
        const bool done = tool.waitForFinished(30000) && tool.exitCode() == 0;
        if (!done)
            qWarning("openssl %s: %s", qPrintable(arguments.join(' ')),
                     tool.readAllStandardError().constData());
        return done;
    };
    QFile extensions(m_certificates + "/server.ext");
    if (!extensions.open(QIODevice::WriteOnly) ||
        extensions.write("subjectAltName=IP:127.0.0.1\n") < 0)
        return false;
    extensions.close();
    const QStringList key{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    return openssl(QStringList{"req", "-x509"} + key +
                   QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj",
                               "/CN=ThermoDesk test CA"}) &&
           openssl(QStringList{"req"} + key +
                   QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj",
                               "/CN=127.0.0.1"}) &&
           openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                    "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile",
                    "server.ext"}) &&
           // A CA that signed nothing of the broker's.
           openssl(QStringList{"req", "-x509"} + key +
                   QStringList{"-keyout", "other.key", "-out", "other.crt", "-days", "2", "-subj",
                               "/CN=Another CA"});
}

void TestPublishing::start(const QStringList &arguments, const QProcessEnvironment &extra) {
    m_stderr.clear();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
    for (const QString &name : extra.keys())
        env.insert(name, extra.value(name));
    m_program.setProcessEnvironment(env);
    m_program.setProgram(QStringLiteral(THERMODESK_PATH));
    m_program.setArguments(QStringList{"--port", "COM1=" + m_meter.link()} + arguments);
    m_program.start();
    QVERIFY(m_program.waitForStarted(5000));
}

QStringList TestPublishing::statusLines() {
    QStringList lines;
    for (const QByteArray &line : m_stderr.split('\n'))
        lines << QString::fromUtf8(line);
    return lines;
}

bool TestPublishing::stopAfter(int count, int timeoutMs) {
    const bool written = QTest::qWaitFor(
        [&] {
            int records = 0;
            for (const QString &line : statusLines())
                records += StatusLine.match(line).hasMatch() ? 1 : 0;
            return records >= count || m_program.state() == QProcess::NotRunning;
        },
        timeoutMs);
    m_program.terminate();
    return written && finish();
}

bool TestPublishing::finish() {
    if (!m_program.waitForFinished(15000)) {
        m_program.kill();
        m_program.waitForFinished(2000);
        return false;
    }
    m_stderr += m_program.readAllStandardError();
    return true;
}

void TestPublishing::checkSamples(const QString &file, TestSubscriber &subscriber,
                                  const QString &name) {
    const QList<QStringList> rows = rowsOf(file);
    QVERIFY(rows.size() >= 3);
    const QString topic = "thermodesk/" + name + "/sample";
    // QoS 1 may bring one twice: each record number counts once, in order of first arrival.
    QList<QJsonObject> samples;
    QSet<qint64> seen;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     samples.clear();
                     seen.clear();
                     for (const QByteArray &payload : subscriber.payloadsOn(topic)) {
                         const QJsonObject sample = QJsonDocument::fromJson(payload).object();
                         if (!seen.contains(sample.value("record").toInteger())) {
                             seen.insert(sample.value("record").toInteger());
                             samples.append(sample);
                         }
                     }
                     return samples.size() >= rows.size();
                 },
                 10000),
             qPrintable(
                 QStringLiteral("%1 of %2 samples arrived").arg(samples.size()).arg(rows.size())));
    QCOMPARE(samples.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const QJsonObject &sample = samples.at(i);
        const QStringList &row = rows.at(i);
        QCOMPARE(sample.value("record").toInteger(), row.at(0).toLongLong());
        const QDateTime time = QDateTime::fromString(sample.value("time").toString(), Qt::ISODate);
        QCOMPARE(time.toLocalTime().toString("yyyy/MM/dd HH:mm:ss"), row.at(1));
        QCOMPARE(readingText(sample, "T1"), asNumber(row.at(2)));
        QCOMPARE(readingText(sample, "T2"), asNumber(row.at(3)));
        QCOMPARE(readingText(sample, "T1-T2"), asNumber(row.at(4)));
    }
}

void TestPublishing::publishesSamplesLiveStatusAndSensors_data() {
    QTest::addColumn<bool>("tls");
    QTest::newRow("mqtt") << false;
    QTest::newRow("mqtts") << true;
}

void TestPublishing::publishesSamplesLiveStatusAndSensors() {
    QFETCH(bool, tls);
    TestBroker broker;
    QVERIFY(broker.start({QStringLiteral("meter"), QStringLiteral("s3cret pass"),
                          tls ? m_certificates : QString()}));
    // The subscriber uses the plain listener, as a user's dashboard would on the same host.
    const QString name = tls ? QStringLiteral("labB") : QStringLiteral("labA");
    TestSubscriber subscriber;
    subscriber.logIn(QStringLiteral("meter"), QStringLiteral("s3cret pass"));
    QVERIFY(subscriber.start(broker.port(), {"thermodesk/#", "homeassistant/#"}));

    QFile password(m_dir.filePath(QStringLiteral("password")));
    QVERIFY(password.open(QIODevice::WriteOnly | QIODevice::Truncate));
    password.write("s3cret pass\n");
    password.close();
    const QString file = m_dir.filePath(name + ".rdg");
    // A limit the room's temperature is always above: an alarm starts with the first frame.
    QStringList arguments{"--record", file,      "--force",     "--name", name,
                          "--alarm",  "T1>-100", "--mqtt-user", "meter"};
    if (tls)
        arguments << "--mqtt" << QStringLiteral("mqtts://127.0.0.1:%1").arg(broker.tlsPort())
                  << "--mqtt-ca" << m_certificates + "/ca.crt"
                  << "--mqtt-password-file" << password.fileName();
    else
        arguments << "--mqtt" << broker.url();
    QProcessEnvironment env;
    env.insert(QStringLiteral("THERMODESK_MQTT_PASSWORD"), QStringLiteral("s3cret pass"));
    start(arguments, tls ? QProcessEnvironment() : env);
    QVERIFY2(stopAfter(4), m_stderr.constData());
    QCOMPARE(m_program.exitCode(), 0);
    QVERIFY2(m_stderr.contains("publishing to "), m_stderr.constData());
    checkSamples(file, subscriber, name);

    // What a dashboard that subscribes later finds retained.
    TestSubscriber later;
    later.logIn(QStringLiteral("meter"), QStringLiteral("s3cret pass"));
    QVERIFY(later.start(broker.port(), {"thermodesk/" + name + "/#", "homeassistant/#"}));
    QList<TestSubscriber::Message> retained;
    QVERIFY(QTest::qWaitFor(
        [&] {
            retained = later.messages();
            return retained.size() >= 5;
        },
        5000));
    QMap<QString, QByteArray> byTopic;
    for (const auto &message : retained) {
        QVERIFY2(message.retained, qPrintable(message.topic));
        byTopic.insert(message.topic, message.payload);
    }
    QCOMPARE(byTopic.value("thermodesk/" + name + "/status"), QByteArray("offline"));
    const QJsonObject live =
        QJsonDocument::fromJson(byTopic.value("thermodesk/" + name + "/live")).object();
    QVERIFY(live.contains("T1") && live.contains("time"));
    QCOMPARE(live.value("unit").toString(), QStringLiteral("°C"));
    for (const char *channel : {"T1", "T2", "T1-T2"}) {
        const QJsonObject sensor =
            QJsonDocument::fromJson(
                byTopic.value(QStringLiteral("homeassistant/sensor/thermodesk_%1_%2/config")
                                  .arg(name, channel)))
                .object();
        QCOMPARE(sensor.value("device_class").toString(), QStringLiteral("temperature"));
        QCOMPARE(sensor.value("state_topic").toString(), "thermodesk/" + name + "/live");
        QCOMPARE(sensor.value("unit_of_measurement").toString(), QStringLiteral("°C"));
    }
    // The alarm went out as it started, once.
    const QList<QByteArray> alarms = subscriber.payloadsOn("thermodesk/" + name + "/alarm");
    QCOMPARE(alarms.size(), 1);
    const QJsonObject alarm = QJsonDocument::fromJson(alarms.first()).object();
    QCOMPARE(alarm.value("channel").toString(), QStringLiteral("T1"));
    QCOMPARE(alarm.value("event").toString(), QStringLiteral("high"));
    QCOMPARE(alarm.value("limit").toDouble(), -100.0);
    QVERIFY(alarm.value("reading").toDouble() > -100);
    // The status went online, then offline at the end.
    const QList<QByteArray> states = subscriber.payloadsOn("thermodesk/" + name + "/status");
    QVERIFY2(states.size() >= 2 && states.first() == "online" && states.last() == "offline",
             states.join(' ').constData());
}

void TestPublishing::brokerAwayLosesNoSample() {
    TestBroker broker;
    QVERIFY(broker.start());
    TestSubscriber subscriber;
    // A session the broker keeps over its restart: nothing published meanwhile is missed.
    QVERIFY(subscriber.start(broker.port(), {"thermodesk/#"}, QStringLiteral("tst-publishing")));
    QTest::qWait(300);
    const QString file = m_dir.filePath(QStringLiteral("away.rdg"));
    start({"--record", file, "--force", "--name", "away", "--mqtt", broker.url()});
    const auto records = [this] { return statusLines().filter(StatusLine); };
    QVERIFY2(QTest::qWaitFor([&] { return records().size() >= 3; }, 15000), m_stderr.constData());
    broker.stop();
    QTest::qWait(20000);
    QVERIFY2(m_stderr.contains("waiting"), m_stderr.constData());
    QVERIFY(broker.restart());
    // Reconnecting waits at most 16 s by now; the samples of the outage then go out.
    QVERIFY2(
        QTest::qWaitFor([&] { return records().constLast().endsWith("mqtt connected, 0 waiting"); },
                        25000),
        m_stderr.constData());
    m_program.terminate();
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);
    checkSamples(file, subscriber, QStringLiteral("away"));

    // The record file is what the status lines announced, as without a broker: one line
    // per sample, a second apart, none held up by the broker's absence.
    const QList<QStringList> rows = rowsOf(file);
    QStringList announced;
    for (const QString &line : statusLines())
        if (const auto match = StatusLine.match(line); match.hasMatch())
            announced << QStringList{match.captured(1), match.captured(2), match.captured(3),
                                     match.captured(4), match.captured(5)}
                             .join('\t');
    QStringList written;
    for (const QStringList &row : rows)
        written << row.join('\t');
    QCOMPARE(written, announced);
    QVERIFY(rows.size() >= 25);
    const auto timeOf = [&](int row) {
        return QDateTime::fromString(rows.at(row).at(1), "yyyy/MM/dd HH:mm:ss");
    };
    for (int i = 1; i < rows.size(); ++i)
        QVERIFY2(timeOf(i - 1).secsTo(timeOf(i)) <= 2, qPrintable(rows.at(i).join(' ')));
}

void TestPublishing::unusableBrokerIsToldAndRecordingGoesOn_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong password") << "password"
                                    << "Connection Refused: not authorised";
    QTest::newRow("nobody listening") << "port"
                                      << "Connection refused";
    QTest::newRow("certificate of another CA") << "tls"
                                               << "certificate verify failed";
}

void TestPublishing::unusableBrokerIsToldAndRecordingGoesOn() {
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TestBroker broker;
    QVERIFY(broker.start({QStringLiteral("meter"), QStringLiteral("right"), m_certificates}));
    QString url = broker.url();
    QStringList arguments{"--mqtt-user", "meter"};
    QProcessEnvironment env;
    env.insert(QStringLiteral("THERMODESK_MQTT_PASSWORD"), QStringLiteral("right"));
    if (kind == QLatin1String("password"))
        env.insert(QStringLiteral("THERMODESK_MQTT_PASSWORD"), QStringLiteral("wrong"));
    if (kind == QLatin1String("port")) {
        url = QStringLiteral("mqtt://127.0.0.1:%1").arg(broker.port());
        broker.stop();
    }
    if (kind == QLatin1String("tls")) {
        url = QStringLiteral("mqtts://127.0.0.1:%1").arg(broker.tlsPort());
        arguments << "--mqtt-ca" << m_certificates + "/other.crt";
    }
    const QString file = m_dir.filePath(kind + ".rdg");
    start(arguments + QStringList{"--record", file, "--force", "--name", "x", "--mqtt", url}, env);
    QVERIFY2(stopAfter(4), m_stderr.constData());
    QCOMPARE(m_program.exitCode(), 0);
    const QString expected = QStringLiteral("thermodesk: cannot publish to %1: ").arg(url);
    const QStringList told = statusLines().filter(expected);
    // Told once, naming the broker and the reason, though the program tried again.
    QVERIFY2(told.size() == 1 && told.first().contains(message, Qt::CaseInsensitive),
             m_stderr.constData());
    QVERIFY2(statusLines().filter(StatusLine).constLast().contains(message, Qt::CaseInsensitive),
             m_stderr.constData());
    // The recording went on: a record per status line, all in the file.
    QCOMPARE(rowsOf(file).size(), statusLines().filter(StatusLine).size());
}

QTEST_GUILESS_MAIN(TestPublishing)
#include "tst_publishing.moc"
