// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/record_command.h"

#include "adapters/console_dialogs.h"
#include "adapters/console_platform.h"
#include "adapters/native_serial_link.h"
#include "cli/command_line.h"
#include "cli/console_text.h"
#include "cli/native_stop_requests.h"
#include "cli/unattended_recording.h"
#include "link/port_choice.h"
#include "program/program.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void writeLine(const QString &line) {
    ConsoleText::write(stderr, line + QLatin1Char('\n'));
}

void writeError(const QString &line) {
    writeLine(QStringLiteral("thermodesk: ") + line);
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
    UnattendedRecording recording(program, options, writeLine, writeError);

    NativeStopRequests stopRequests(
        [&recording](const QString &name) { recording.stop("by " + name); });
    if (!stopRequests.isValid())
        writeError(QStringLiteral("cannot catch %1; stop with --for").arg(stopRequests.names()));
    QObject::connect(&recording, &UnattendedRecording::finished, &recording,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    if (!recording.start())
        return recording.exitCode();
    QCoreApplication::exec();
    return recording.exitCode();
}

} // namespace RecordCommand
