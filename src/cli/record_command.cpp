// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/record_command.h"

#include "adapters/console_dialogs.h"
#include "adapters/console_platform.h"
#include "adapters/mosquitto_client.h"
#include "adapters/native_serial_link.h"
#include "cli/command_line.h"
#include "cli/console_text.h"
#include "cli/native_stop_requests.h"
#include "cli/unattended_recording.h"
#include "link/port_choice.h"
#include "panel/alarms.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "platform/clock.h"
#include "program/program.h"
#include "publish/broker_address.h"
#include "publish/publish_messages.h"
#include "publish/publisher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char PasswordVariable[] = "THERMODESK_MQTT_PASSWORD";

void writeLine(const QString &line) {
    ConsoleText::write(stderr, line + QLatin1Char('\n'));
}

void writeError(const QString &line) {
    writeLine(QStringLiteral("thermodesk: ") + line);
}

// The broker's password: the first line of --mqtt-password-file, or else the environment's.
// Nothing when the file cannot be read (told).
std::optional<QString> brokerPassword(const CommandLine &line) {
    if (line.mqttPasswordFile.isEmpty())
        return qEnvironmentVariable(PasswordVariable);
    QFile file(line.mqttPasswordFile);
    if (!file.open(QIODevice::ReadOnly)) {
        writeError(QStringLiteral("cannot read the password file %1: %2")
                       .arg(QDir::toNativeSeparators(line.mqttPasswordFile), file.errorString()));
        return std::nullopt;
    }
    QByteArray first = file.readLine(4096);
    while (first.endsWith('\n') || first.endsWith('\r'))
        first.chop(1);
    return QString::fromUtf8(first);
}

} // namespace

namespace RecordCommand {

int run(const CommandLine &line, const PortNames &names, int portNumber) {
    NativeSerialLink serial(names);
    ConsoleDialogs dialogs(writeError);
    ConsolePlatform platform(serial, dialogs);
    Program program(platform);

    UnattendedRecording::Options options;
    options.path = line.recordPath;
    options.portNumber = portNumber;
    const QString device = names.deviceFor(portNumber);
    // "COM1 (/dev/ttyUSB0)"; on Windows the device is the port itself: "COM1".
    const QString port = PortChoice::portName(portNumber);
    options.portLabel =
        port +
        (device.isEmpty() || device == port ? QString() : QStringLiteral(" (%1)").arg(device));
    options.everySeconds = line.everySeconds;
    options.forSeconds = line.forSeconds;
    options.quiet = line.quiet;
    options.force = line.force;
    options.alarmRules = line.alarmRules;
    options.onAlarm = line.onAlarm;
    UnattendedRecording recording(program, options, writeLine, writeError);

    // Publishing, beside the recording: it never holds a sample up.
    MosquittoClient client;
    std::unique_ptr<Publisher> publisher;
    if (!line.mqttUrl.isEmpty()) {
        const std::optional<QString> password = brokerPassword(line);
        if (!password)
            return UnattendedRecording::FailureExitCode;
        QString error;
        const BrokerAddress address = BrokerAddress::parse(line.mqttUrl, &error);
        Publisher::Options publishing;
        publishing.broker.host = address.host;
        publishing.broker.port = address.port;
        publishing.broker.tls = address.tls;
        publishing.broker.caFile = line.mqttCa;
        publishing.broker.user = line.mqttUser;
        publishing.broker.password = *password;
        publishing.brokerUrl = address.url();
        publishing.name = line.name.isEmpty()
                              ? PublishMessages::defaultName(QSysInfo::machineHostName(), port)
                              : line.name;
        publisher = std::make_unique<Publisher>(client, publishing);
        Publisher *p = publisher.get();
        p->setRecordNumbers([&program] {
            return program.recorder().Recording() ? program.recorder().RecordCount() : 0;
        });
        QObject::connect(&program.alarms(), &Alarms::alarm, p, &Publisher::takeAlarm);
        QObject::connect(p, &Publisher::problem, p,
                         [](const QString &message) { writeError(message); });
        QObject::connect(p, &Publisher::connectedChanged, p, [p, &line](bool connected) {
            if (line.quiet)
                return;
            if (connected)
                writeLine(QStringLiteral("publishing to %1 as thermodesk/%2")
                              .arg(p->brokerUrl(), p->name()));
            else if (p->state() == Publisher::State::Finished)
                writeLine(QStringLiteral("publishing to %1 ended, %2 not delivered")
                              .arg(p->brokerUrl())
                              .arg(p->waiting()));
            else
                writeLine(QStringLiteral("publishing to %1 interrupted: %2")
                              .arg(p->brokerUrl(), p->statusText()));
        });
        QObject::connect(&program.panel(), &PanelModel::samplingTick, p, [p, &program] {
            p->showLive(program.panel().live(), program.platform().clock().now());
        });
        recording.setStatusSuffix([p] { return QStringLiteral("  mqtt ") + p->statusText(); });
    }

    NativeStopRequests stopRequests(
        [&recording](const QString &name) { recording.stop("by " + name); });
    if (!stopRequests.isValid())
        writeError(QStringLiteral("cannot catch %1; stop with --for").arg(stopRequests.names()));
    // The recording's end is final; publishing then gets a moment to deliver what waits
    // and to say "offline".
    QObject::connect(&recording, &UnattendedRecording::finished, &recording,
                     [&publisher](int exitCode) {
                         if (!publisher) {
                             QCoreApplication::exit(exitCode);
                             return;
                         }
                         QObject::connect(publisher.get(), &Publisher::finished, publisher.get(),
                                          [exitCode] { QCoreApplication::exit(exitCode); });
                         publisher->finish();
                     });
    if (!recording.start())
        return recording.exitCode();
    if (publisher) {
        program.sampler().subscribe(publisher.get());
        publisher->startConnecting();
    }
    QCoreApplication::exec();
    return recording.exitCode();
}

} // namespace RecordCommand
