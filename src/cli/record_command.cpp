#include "cli/record_command.h"

#include "adapters/console_dialogs.h"
#include "adapters/console_platform.h"
#include "adapters/qt_serial_link.h"
#include "cli/command_line.h"
#include "cli/stop_signals.h"
#include "cli/unattended_recording.h"
#include "link/port_choice.h"
#include "program/program.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void writeLine(const QString &line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
}

void writeError(const QString &line) {
    writeLine(QStringLiteral("thermodesk: ") + line);
}

} // namespace

namespace RecordCommand {

int run(const CommandLine &line, const PortNames &names, int portNumber) {
    QtSerialLink serial(names);
    ConsoleDialogs dialogs(writeError);
    ConsolePlatform platform(serial, dialogs);
    Program program(platform);

    UnattendedRecording::Options options;
    options.path = line.recordPath;
    options.portNumber = portNumber;
    const QString device = names.deviceFor(portNumber);
    options.portLabel = PortChoice::portName(portNumber) +
                        (device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device));
    options.everySeconds = line.everySeconds;
    options.forSeconds = line.forSeconds;
    options.quiet = line.quiet;
    options.force = line.force;
    UnattendedRecording recording(program, options, writeLine, writeError);

    StopSignals stopSignals;
    if (!stopSignals.isValid())
        writeError(QStringLiteral("cannot catch SIGINT, SIGTERM and SIGHUP; stop with --for"));
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &recording,
                     [&recording](const QString &name) { recording.stop("by " + name); });
    QObject::connect(&recording, &UnattendedRecording::finished, &recording,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    if (!recording.start())
        return recording.exitCode();
    QCoreApplication::exec();
    return recording.exitCode();
}

} // namespace RecordCommand
