// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Publishing benchmark: the program's time to take one sample for publishing (its JSON and
// the queue, the broker connection answering at once), and a full day's queue (86,400
// samples) drained into a local broker after a reconnection through libmosquitto, with the
// frame timer's lateness meanwhile. Prints one table.

#include "adapters/mosquitto_client.h"
#include "publish/publisher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "bench_support.h"

namespace {

// A connection that takes every message and is acknowledged by the benchmark.
class InstantClient : public BrokerClient {
public:
    void setEvents(Events events) override { m_events = std::move(events); }
    bool open(const Settings &, QString *) override { return true; }
    int publish(const QString &, const QByteArray &, int, bool) override { return ++m_id; }
    void close() override {}
    void connect() { m_events.connected(); }
    void acknowledge() { m_events.delivered(m_id); }

private:
    Events m_events;
    int m_id = 0;
};

Sample sampleOf(int n) {
    return {QStringLiteral("2026/12/10 14:03:05"),
            QString::number(20 + (n % 100) / 10.0, 'f', 1),
            QStringLiteral("OL"),
            QStringLiteral("----"),
            QStringLiteral("K"),
            QStringLiteral("\u00B0C")};
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    // BENCH_PUBLISH_QUEUE=N drains N samples instead of a day's, for a quick look.
    const int queued = qEnvironmentVariableIsSet("BENCH_PUBLISH_QUEUE")
                           ? qEnvironmentVariableIntValue("BENCH_PUBLISH_QUEUE")
                           : int(Publisher::DefaultCapacity);
    bench::header();

    // One sample: made into JSON, queued, published and acknowledged.
    {
        InstantClient client;
        Publisher::Options options;
        options.brokerUrl = QStringLiteral("mqtt://bench:1883");
        options.name = QStringLiteral("bench");
        Publisher publisher(client, options);
        publisher.startConnecting();
        client.connect();
        const int Samples = std::max(queued, 1000);
        const double seconds = bench::bestOf([&] {
            for (int n = 0; n < Samples; ++n) {
                publisher.takeSample(sampleOf(n));
                client.acknowledge();
            }
        });
        const double micro = seconds / Samples * 1e6;
        bench::row("Publishing one sample", QString::number(micro, 'f', 2) + " \u00B5s",
                   "< 50 \u00B5s", micro < 50);
        std::fflush(stdout);
    }

    // A day's queue drained into the local broker.
    QTemporaryDir dir;
    const int port = int(QRandomGenerator::global()->bounded(20000, 60000));
    QFile config(dir.filePath(QStringLiteral("broker.conf")));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write("user root\nlistener " + QByteArray::number(port) +
                     " 127.0.0.1\nallow_anonymous true\n") < 0)
        return 1;
    config.close();
    QProcess broker;
    broker.start(QStringLiteral("mosquitto"), {"-c", config.fileName()});
    if (!broker.waitForStarted(5000))
        return 1;
    QThread::msleep(500);

    MosquittoClient client;
    Publisher::Options options;
    options.broker.host = QStringLiteral("127.0.0.1");
    options.broker.port = port;
    options.brokerUrl = QStringLiteral("mqtt://127.0.0.1:%1").arg(port);
    options.name = QStringLiteral("bench");
    Publisher publisher(client, options);
    for (int n = 0; n < queued; ++n)
        publisher.takeSample(sampleOf(n));
    // The frame timer, as the panel runs it: how late does it tick while the queue drains?
    QTimer frames;
    frames.setTimerType(Qt::PreciseTimer);
    QElapsedTimer sinceTick;
    qint64 latestTick = 0;
    frames.start(150);
    QObject::connect(&frames, &QTimer::timeout,
                     [&] { latestTick = std::max(latestTick, sinceTick.restart()); });
    QElapsedTimer drain;
    drain.start();
    sinceTick.start();
    publisher.startConnecting();
    QObject::connect(&publisher, &Publisher::changed, [&] {
        if (publisher.waiting() == 0 && publisher.state() == Publisher::State::Connected)
            app.quit();
    });
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    app.exec();
    const double drained = drain.elapsed() / 1000.0;
    const bool all = publisher.deliveredCount() == queued;
    bench::row(qPrintable(QStringLiteral("Draining %1 queued samples").arg(queued)),
               QString::number(drained, 'f', 2) + " s", "< 10 s", all && drained < 10);
    bench::row("Longest frame interval meanwhile", QString::number(latestTick) + " ms",
               "< 300 ms (150 ms timer)", latestTick < 300);
    broker.terminate();
    broker.waitForFinished(5000);
    return all ? 0 : 1;
}
