// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/native_serial_link.h"
#include "adapters/stored_settings.h"
#include "cli/command_line.h"
#include "cli/console_text.h"
#include "cli/export_csv_command.h"
#include "cli/program_arguments.h"
#include "cli/record_command.h"
#include "link/port_names.h"
#include "ui/desk.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

void printTo(FILE *stream, const QString &text) {
    ConsoleText::write(stream, text);
}

// The port mappings of this run: those given, which are remembered, or else those
// remembered from the last run that gave some.
QStringList portMappings(const CommandLine &line, StoredSettings &settings) {
    if (line.portMappings.isEmpty())
        return settings.portMappings();
    settings.setPortMappings(line.portMappings);
    return line.portMappings;
}

PortNames portNames(const QStringList &mappings) {
    PortNames names;
    names.setPresentDevices(NativeSerialLink::presentDevices());
    for (const QString &mapping : mappings)
        names.addMapping(mapping);
    return names;
}

int resetSettings() {
    const QString file = StoredSettings().fileName();
    QString error;
    if (!StoredSettings::forget(file, &error)) {
        printTo(stderr, QStringLiteral("thermodesk: cannot remove the settings file %1: %2\n")
                            .arg(file, error));
        return 1;
    }
    printTo(stderr, QStringLiteral("thermodesk: settings forgotten (%1)\n").arg(file));
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setOrganizationName(QStringLiteral("ThermoDesk"));
    QCoreApplication::setApplicationName(QStringLiteral("ThermoDesk"));
    QCoreApplication::setApplicationVersion(QStringLiteral(THERMODESK_VERSION));

    // The mode is known before any application object exists, so the runs without a
    // window never touch a display.
    const CommandLine line = CommandLine::parse(ProgramArguments::of(argc, argv));
    switch (line.mode) {
    case CommandLine::Mode::Error:
        printTo(stderr, QStringLiteral("thermodesk: %1\n%2").arg(line.error, CommandLine::usage()));
        return CommandLine::UsageExitCode;
    case CommandLine::Mode::Help: {
        QCoreApplication app(argc, argv); // the help names the program as it was started
        printTo(stdout, CommandLine::helpText());
        return 0;
    }
    case CommandLine::Mode::Version:
        printTo(stdout, QStringLiteral("thermodesk %1\n").arg(THERMODESK_VERSION));
        return 0;
    case CommandLine::Mode::ResetSettings: {
        QCoreApplication app(argc, argv);
        return resetSettings();
    }
    case CommandLine::Mode::ExportCsv: {
        QCoreApplication app(argc, argv);
        return ExportCsvCommand::run(
            line, [](const QString &text) { printTo(stderr, text + QLatin1Char('\n')); });
    }
    case CommandLine::Mode::Record:
    case CommandLine::Mode::Window:
    case CommandLine::Mode::OpenFile:
        break;
    }

    std::optional<QCoreApplication> headless;
    std::optional<QApplication> windowed;
    if (line.mode == CommandLine::Mode::Record)
        headless.emplace(argc, argv);
    else
        windowed.emplace(argc, argv);

    StoredSettings settings;
    if (!settings.problem().isEmpty())
        printTo(stderr, QStringLiteral("thermodesk: ignoring the settings file %1: %2 "
                                       "(--reset-settings starts afresh)\n")
                            .arg(settings.fileName(), settings.problem()));
    const QStringList mappings = portMappings(line, settings);
    const PortNames names = portNames(mappings);

    if (line.mode == CommandLine::Mode::Record)
        return RecordCommand::run(line, names, CommandLine::recordPortNumber(mappings));

    // The installed desktop entry: the desktop shows its name and icon for the windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.thermodesk.ThermoDesk"));
    Desk desk(names);
    if (line.mode == CommandLine::Mode::OpenFile) {
        if (!desk.openWithoutMeter(line.openPath))
            return 1;
    } else {
        desk.start();
    }
    return QApplication::exec();
}
