// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

// A message broker of the test's own on a free loopback port, with its own configuration:
// anonymous or with one user's password, optionally a TLS listener beside the plain one,
// its subscriptions and queued messages kept over a restart. Stopped with the object.
class TestBroker {
public:
    struct Config {
        QString user; // with a password: only this user may connect
        QString password;
        QString certificates; // a folder with ca.crt, server.crt, server.key: a TLS listener
    };

    TestBroker() = default;
    TestBroker(const TestBroker &) = delete;
    TestBroker &operator=(const TestBroker &) = delete;
    ~TestBroker() { stop(); }

    // Starts the broker on free ports; true once it accepts connections.
    bool start(const Config &config = {}) {
        m_config = config;
        for (int attempt = 0; attempt < 8; ++attempt) {
            m_port = int(QRandomGenerator::global()->bounded(20000, 60000));
            m_tlsPort = m_port + 1;
            if (!writeConfig())
                return false;
            if (run())
                return true;
        }
        return false;
    }
    // Starts it again on the same ports after stop().
    bool restart() { return run(); }
    // Ends it (SIGTERM, as a system's shutdown does).
    void stop() {
        if (m_broker.state() == QProcess::NotRunning)
            return;
        m_broker.terminate();
        if (!m_broker.waitForFinished(5000)) {
            m_broker.kill();
            m_broker.waitForFinished(2000);
        }
    }
    int port() const { return m_port; }
    int tlsPort() const { return m_tlsPort; }
    QString url() const { return QStringLiteral("mqtt://127.0.0.1:%1").arg(m_port); }
    QByteArray log() const { return m_log; }

private:
    bool writeConfig() {
        QFile file(m_dir.filePath(QStringLiteral("broker.conf")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QByteArray text;
        // Run by root, the broker would become the user "mosquitto", who cannot read the
        // test's files; run by anyone else, the setting means nothing.
        text += "user root\nper_listener_settings true\n";
        text += "persistence true\npersistence_location " + m_dir.path().toUtf8() + "/\n";
        text += "log_dest stderr\nlog_type error\nlog_type warning\nlog_type notice\nlog_type "
                "information\n";
        const QByteArray access = m_config.user.isEmpty()
                                      ? QByteArray("allow_anonymous true\n")
                                      : "allow_anonymous false\npassword_file " +
                                            m_dir.filePath(QStringLiteral("passwords")).toUtf8() +
                                            '\n';
        text += "listener " + QByteArray::number(m_port) + " 127.0.0.1\n" + access;
        if (!m_config.certificates.isEmpty()) {
            const QDir certs(m_config.certificates);
            text += "listener " + QByteArray::number(m_tlsPort) + " 127.0.0.1\n" + access;
            text += "cafile " + certs.filePath("ca.crt").toUtf8() + '\n';
            text += "certfile " + certs.filePath("server.crt").toUtf8() + '\n';
            text += "keyfile " + certs.filePath("server.key").toUtf8() + '\n';
        }
        if (!m_config.user.isEmpty()) {
            const QString passwords = m_dir.filePath(QStringLiteral("passwords"));
            QFile::remove(passwords);
            QProcess tool;
            tool.start(QStringLiteral("mosquitto_passwd"),
                       {"-b", "-c", passwords, m_config.user, m_config.password});
            if (!tool.waitForFinished(10000) || tool.exitCode() != 0) {
                qWarning("mosquitto_passwd failed: %s", tool.readAllStandardError().constData());
                return false;
            }
        }
        return file.write(text) == text.size();
    }

    // True once the broker said it runs; false when it ended (a port in use) or was silent.
    bool run() {
        m_log.clear();
        m_broker.setProcessChannelMode(QProcess::MergedChannels);
        m_broker.start(QStringLiteral("mosquitto"),
                       {"-c", m_dir.filePath(QStringLiteral("broker.conf"))});
        if (!m_broker.waitForStarted(5000))
            return false;
        const bool running = QTest::qWaitFor(
            [this] {
                m_log += m_broker.readAll();
                return m_log.contains(" running") || m_broker.state() == QProcess::NotRunning;
            },
            10000);
        if (running && m_broker.state() == QProcess::Running)
            return true;
        qWarning("the broker did not start: %s", m_log.constData());
        stop();
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_broker;
    Config m_config;
    QByteArray m_log;
    int m_port = 0;
    int m_tlsPort = 0;
};

// mosquitto_sub on the broker: every message of the topics, as "retained|topic|payload"
// lines. With a session of its own kept by the broker, it also gets what was published
// while it was away.
class TestSubscriber {
public:
    ~TestSubscriber() { stop(); }
    // The user it logs in as (its password on its command line: the broker is the test's).
    void logIn(const QString &user, const QString &password) {
        m_login = {"-u", user, "-P", password};
    }
    bool start(int port, const QStringList &topics, const QString &clientId = {}) {
        QStringList arguments{"-h", "127.0.0.1", "-p", QString::number(port),
                              "-q", "1",         "-F", "%r|%t|%p"};
        arguments += m_login;
        if (!clientId.isEmpty())
            arguments << "-c"
                      << "-i" << clientId;
        for (const QString &topic : topics)
            arguments << "-t" << topic;
        m_sub.start(QStringLiteral("mosquitto_sub"), arguments);
        return m_sub.waitForStarted(5000);
    }
    void stop() {
        if (m_sub.state() == QProcess::NotRunning)
            return;
        m_sub.terminate();
        if (!m_sub.waitForFinished(3000)) {
            m_sub.kill();
            m_sub.waitForFinished(2000);
        }
    }
    struct Message {
        bool retained;
        QString topic;
        QByteArray payload;
    };
    // Everything received so far.
    QList<Message> messages() {
        m_text += m_sub.readAllStandardOutput();
        QList<Message> all;
        QList<QByteArray> lines = m_text.split('\n');
        lines.removeLast(); // not ended yet
        for (const QByteArray &line : lines) {
            const QList<QByteArray> parts = line.split('|');
            if (parts.size() >= 3)
                all.append({parts[0] == "1", QString::fromUtf8(parts[1]),
                            line.mid(parts[0].size() + parts[1].size() + 2)});
        }
        return all;
    }
    QList<QByteArray> payloadsOn(const QString &topic) {
        QList<QByteArray> payloads;
        for (const Message &message : messages())
            if (message.topic == topic)
                payloads.append(message.payload);
        return payloads;
    }

private:
    QProcess m_sub;
    QByteArray m_text;
    QStringList m_login;
};
