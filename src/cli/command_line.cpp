// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_line.h"

#include "link/port_choice.h"
#include "link/port_names.h"
#include "panel/alarm_limits.h"
#include "publish/broker_address.h"
#include "publish/publish_messages.h"

#include <QCommandLineParser>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString Record = QStringLiteral("record");
const QString ExportCsv = QStringLiteral("export-csv");
const QString Stats = QStringLiteral("stats");
const QString From = QStringLiteral("from");
const QString To = QStringLiteral("to");
const QString Csv = QStringLiteral("csv");
const QString Port = QStringLiteral("port");
const QString Every = QStringLiteral("every");
const QString For = QStringLiteral("for");
const QString Quiet = QStringLiteral("quiet");
const QString Alarm = QStringLiteral("alarm");
const QString OnAlarm = QStringLiteral("on-alarm");
const QString Force = QStringLiteral("force");
const QString ResetSettings = QStringLiteral("reset-settings");
const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");
const QString Mqtt = QStringLiteral("mqtt");
const QString MqttCa = QStringLiteral("mqtt-ca");
const QString MqttUser = QStringLiteral("mqtt-user");
const QString MqttPasswordFile = QStringLiteral("mqtt-password-file");
const QString Name = QStringLiteral("name");

// The options the window's toolkit takes out of the command line itself. They are known
// here only so that they are not refused before the window gets to see them.
const QStringList ToolkitOptionsWithValue{
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("geometry"),
    QStringLiteral("style"),           QStringLiteral("stylesheet")};
const QStringList ToolkitFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                               QStringLiteral("nograb"), QStringLiteral("dograb")};

// The options that choose a mode; two of them together conflict.
const QStringList ModeOptions{Record, ExportCsv, Stats, ResetSettings};
// The options that only --stats takes.
const QStringList StatsOnly{From, To, Csv};
// The options that only --record takes.
const QStringList RecordOnly{
    Every, For, Quiet, Alarm, OnAlarm, Mqtt, MqttCa, MqttUser, MqttPasswordFile, Name};
// The options of publishing, which --mqtt turns on.
const QStringList PublishingOptions{MqttCa, MqttUser, MqttPasswordFile, Name};

// The forms of the command line, a long one on two lines.
const QList<QStringList> Forms{
    {QStringLiteral("thermodesk [--port COMn=DEVICE]...")},
    {QStringLiteral("thermodesk FILE.rdg")},
    {QStringLiteral("thermodesk --record FILE.rdg [--port COMn=DEVICE]... [--every SECONDS]"),
     QStringLiteral("[--for DURATION] [--quiet] [--force]"),
     QStringLiteral("[--alarm RULE]... [--on-alarm COMMAND]"),
     QStringLiteral("[--mqtt URL [--mqtt-ca FILE] [--mqtt-user NAME]"),
     QStringLiteral(" [--mqtt-password-file FILE] [--name NAME]]")},
    {QStringLiteral("thermodesk --export-csv FILE.rdg [FILE.csv | -] [--force]")},
    {QStringLiteral("thermodesk --stats FILE.rdg [--from N] [--to M] [--csv]")},
    {QStringLiteral("thermodesk --reset-settings")}};

// The forms, each first line after indent, its second under its options.
QString formsText(const QString &first, const QString &indent) {
    const QString under = indent + QString(QStringLiteral("thermodesk ").size(), QLatin1Char(' '));
    QString text;
    for (const QStringList &form : Forms) {
        text += (text.isEmpty() ? first : indent) + form.first() + QLatin1Char('\n');
        for (const QString &more : form.mid(1))
            text += under + more + QLatin1Char('\n');
    }
    return text;
}

// Every option the program takes, with what the help says of it: the one list of them.
QList<QCommandLineOption> options() {
    const auto option = [](const QStringList &names, const char *description,
                           const char *valueName = nullptr) {
        return QCommandLineOption(names, QLatin1String(description),
                                  valueName ? QLatin1String(valueName) : QString());
    };
    QList<QCommandLineOption> all{
        option({Port},
               "maps a name of the port chooser to a serial device, e.g. "
               "COM1=/dev/ttyUSB0 (repeatable). The mappings given last are remembered "
               "for later runs.",
               "COMn=DEVICE"),
        option({Record},
               "records the meter into FILE without any window, as \"Save As\" does, "
               "until stopped (Ctrl+C, SIGTERM, SIGHUP). It reads the port of the "
               "first mapping (COM1 when there is none).",
               "FILE"),
        option({Every}, "seconds between samples, 1 to 86400 (default 1)", "SECONDS"),
        option({For}, "ends the recording DURATION after the start: 90, 90s, 10m, 2h, 1d",
               "DURATION"),
        option({Quiet}, "no status line per sample on standard error"),
        option({Alarm},
               "an alarm of the recording (repeatable): T1>250 or T2<-5 or T1-T2<-5 (a high "
               "or low limit in the meter's unit), or open (a thermocouple open). Every "
               "start and end is marked on the status line and written to FILE with "
               ".alarms.csv for .rdg.",
               "RULE"),
        option({OnAlarm},
               "runs COMMAND (its program and arguments, no shell) at every start and end of "
               "an alarm, with THERMODESK_CHANNEL, THERMODESK_EVENT, THERMODESK_READING and "
               "THERMODESK_LIMIT in its environment; it is never waited for.",
               "COMMAND"),
        option({Mqtt},
               "also publishes the samples, live readings and state to the broker at URL, "
               "mqtt://HOST[:PORT] (1883) or mqtts://HOST[:PORT] (8883, TLS), under "
               "thermodesk/NAME/. The recording never waits for the broker.",
               "URL"),
        option({MqttCa},
               "with mqtts://: the CA certificates that the broker's is checked "
               "against",
               "FILE"),
        option({MqttUser},
               "the user name at the broker; the password is taken from the environment "
               "variable THERMODESK_MQTT_PASSWORD or --mqtt-password-file",
               "NAME"),
        option({MqttPasswordFile}, "the file whose first line is the broker's password", "FILE"),
        option({Name},
               "the meter's name in the topics: letters, digits, - and _ (default: the host's "
               "name and the port's, e.g. labpc-COM1)",
               "NAME"),
        option({ExportCsv},
               "writes the records of the record file FILE as CSV (UTF-8, a header "
               "line, ISO 8601 times, readings as numbers, OL and ---- as empty "
               "cells) to the file named next, to standard output for -, or else "
               "to FILE with .csv for .rdg. Lines that cannot be read are left "
               "out, counted on standard error, exit code 1.",
               "FILE"),
        option({Stats},
               "prints each channel's minimum, maximum (with their record numbers and "
               "times), mean and counts of OL, -OL and ---- over the records of FILE, one "
               "line per channel, as the file plot shows them",
               "FILE"),
        option({From}, "with --stats: the first record number of the span (default 1)", "N"),
        option({To}, "with --stats: the last record number of the span (default the last)", "M"),
        option({Csv}, "with --stats: prints the statistics as CSV, a header line first"),
        option({Force}, "overwrites the file written when it exists"),
        option({ResetSettings}, "forgets the remembered folders and port mappings"),
        option({QStringLiteral("h"), Help}, "this help"),
        option({QStringLiteral("v"), Version}, "the version"),
    };
    for (const QString &name : ToolkitOptionsWithValue + ToolkitFlags) {
        QCommandLineOption toolkit(
            name, {}, ToolkitOptionsWithValue.contains(name) ? QStringLiteral("value") : QString());
        toolkit.setFlags(QCommandLineOption::HiddenFromHelp);
        all << toolkit;
    }
    return all;
}

// A parser that knows every option; its help is the program's.
void setUp(QCommandLineParser &parser) {
    // "-platform xcb" is one option, as the window's toolkit reads it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Companion of the two-channel thermocouple meter with data logger.\n"
                       "Without options it opens the port chooser \"COM Port\", then the "
                       "panel.\nWith a record file it lists that file, without a port or a "
                       "meter; closing\nthe list ends the program.\n\nForms:\n") +
        formsText(QStringLiteral("  "), QStringLiteral("  ")).chopped(1));
    parser.addOptions(options());
    parser.addPositionalArgument(QStringLiteral("FILE.rdg"),
                                 QStringLiteral("without options: the record file to list"),
                                 QStringLiteral("[FILE.rdg]"));
    parser.addPositionalArgument(QStringLiteral("FILE.csv"),
                                 QStringLiteral("with --export-csv: the CSV file, - for standard "
                                                "output"),
                                 QStringLiteral("[FILE.csv | -]"));
}

QString dashed(const QString &name) {
    return QStringLiteral("--") + name;
}

CommandLine failed(const QString &error) {
    CommandLine line;
    line.mode = CommandLine::Mode::Error;
    line.error = error;
    return line;
}

// QCommandLineParser ends its messages with a full stop; our lines have none.
QString parserError(const QCommandLineParser &parser) {
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.left(1).toLower() + text.mid(1);
}

// --export-csv IN.rdg [OUT.csv] [--force], and nothing else.
CommandLine parseExportCsv(const QCommandLineParser &parser, const QStringList &positional) {
    const QStringList given = parser.optionNames();
    for (const QString &name : given) {
        if (RecordOnly.contains(name))
            return failed(QStringLiteral("%1 goes with --record only").arg(dashed(name)));
        if (name != ExportCsv && name != Force)
            return failed(QStringLiteral("--export-csv takes no option %1").arg(dashed(name)));
    }
    CommandLine line;
    line.mode = CommandLine::Mode::ExportCsv;
    line.exportInput = parser.value(ExportCsv);
    if (line.exportInput.isEmpty())
        return failed(QStringLiteral("--export-csv expects a record file"));
    line.exportOutput =
        positional.isEmpty() ? CommandLine::defaultCsvPath(line.exportInput) : positional.first();
    if (line.exportOutput.isEmpty())
        return failed(QStringLiteral("--export-csv expects a CSV file name or -"));
    line.force = parser.isSet(Force);
    return line;
}

// --stats FILE [--from N] [--to M] [--csv], and nothing else.
CommandLine parseStats(const QCommandLineParser &parser) {
    for (const QString &name : parser.optionNames()) {
        if (name != Stats && !StatsOnly.contains(name))
            return failed(QStringLiteral("--stats takes no option %1").arg(dashed(name)));
    }
    CommandLine line;
    line.mode = CommandLine::Mode::Stats;
    line.statsInput = parser.value(Stats);
    if (line.statsInput.isEmpty())
        return failed(QStringLiteral("--stats expects a record file"));
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    for (const auto &[name, number] : {std::pair{From, &line.statsFrom}, {To, &line.statsTo}}) {
        if (!parser.isSet(name))
            continue;
        const QString text = parser.value(name);
        *number = digits.match(text).hasMatch() ? text.toInt() : 0;
        if (*number < 1)
            return failed(QStringLiteral("%1 expects a record number from 1, not '%2'")
                              .arg(dashed(name), text));
    }
    if (line.statsFrom > 0 && line.statsTo > 0 && line.statsFrom > line.statsTo)
        return failed(QStringLiteral("--from must not lie after --to"));
    line.statsCsv = parser.isSet(Csv);
    return line;
}

// The window, and the options it takes; with a record file, that file's list alone.
CommandLine parseWindow(const QCommandLineParser &parser, const QStringList &positional,
                        CommandLine line) {
    for (const QString &name : RecordOnly) {
        if (parser.isSet(name))
            return failed(QStringLiteral("%1 goes with --record only").arg(dashed(name)));
    }
    for (const QString &name : StatsOnly) {
        if (parser.isSet(name))
            return failed(QStringLiteral("%1 goes with --stats only").arg(dashed(name)));
    }
    if (parser.isSet(Force))
        return failed(QStringLiteral("--force goes with --record or --export-csv only"));
    line.mode = CommandLine::Mode::Window;
    if (!positional.isEmpty()) {
        if (!line.portMappings.isEmpty())
            return failed(QStringLiteral("a record file opens without a meter: no --port"));
        line.mode = CommandLine::Mode::OpenFile;
        line.openPath = positional.first();
    }
    return line;
}

// --mqtt URL [--mqtt-ca FILE] [--mqtt-user NAME] [--mqtt-password-file FILE] [--name NAME].
CommandLine parsePublishing(const QCommandLineParser &parser, CommandLine line) {
    if (!parser.isSet(Mqtt)) {
        for (const QString &name : PublishingOptions) {
            if (parser.isSet(name))
                return failed(QStringLiteral("%1 goes with --mqtt").arg(dashed(name)));
        }
        return line;
    }
    QString error;
    const BrokerAddress address = BrokerAddress::parse(parser.value(Mqtt), &error);
    if (!address.isValid())
        return failed(QStringLiteral("--mqtt ") + error);
    line.mqttUrl = parser.value(Mqtt);
    line.mqttCa = parser.value(MqttCa);
    if (address.tls && line.mqttCa.isEmpty())
        return failed(QStringLiteral("mqtts:// needs --mqtt-ca FILE, the CA certificates"));
    if (!address.tls && !line.mqttCa.isEmpty())
        return failed(QStringLiteral("--mqtt-ca goes with mqtts:// only"));
    line.mqttUser = parser.value(MqttUser);
    line.mqttPasswordFile = parser.value(MqttPasswordFile);
    if (!line.mqttPasswordFile.isEmpty() && line.mqttUser.isEmpty())
        return failed(QStringLiteral("--mqtt-password-file goes with --mqtt-user"));
    line.name = parser.value(Name);
    if (parser.isSet(Name) && !PublishMessages::isValidName(line.name))
        return failed(QStringLiteral("--name expects letters, digits, - and _ (at most 64), "
                                     "not '%1'")
                          .arg(line.name));
    return line;
}

// --record FILE [--every SECONDS] [--for DURATION] [--quiet] [--force].
CommandLine parseRecord(const QCommandLineParser &parser, CommandLine line) {
    line.mode = CommandLine::Mode::Record;
    if (line.toolkitOptions)
        return failed(QStringLiteral("--record runs without a window and takes no window options"));
    for (const QString &name : StatsOnly) {
        if (parser.isSet(name))
            return failed(QStringLiteral("%1 goes with --stats only").arg(dashed(name)));
    }
    line.recordPath = parser.value(Record);
    if (line.recordPath.isEmpty())
        return failed(QStringLiteral("--record expects a file name"));
    if (parser.isSet(Every)) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
        const QString text = parser.value(Every);
        const int seconds = digits.match(text).hasMatch() ? text.toInt() : 0;
        if (seconds < 1 || seconds > CommandLine::MaxEverySeconds)
            return failed(QStringLiteral("--every expects whole seconds from 1 to %1, not '%2'")
                              .arg(CommandLine::MaxEverySeconds)
                              .arg(text));
        line.everySeconds = seconds;
    }
    if (parser.isSet(For)) {
        const QString text = parser.value(For);
        line.forSeconds = CommandLine::parseDuration(text);
        if (line.forSeconds <= 0)
            return failed(
                QStringLiteral("--for expects a duration such as 90, 90s, 10m, 2h or 1d, not '%1'")
                    .arg(text));
    }
    line.quiet = parser.isSet(Quiet);
    line.force = parser.isSet(Force);
    for (const QString &rule : parser.values(Alarm)) {
        AlarmLimits limits;
        if (!limits.addRule(rule))
            return failed(
                QStringLiteral("--alarm expects T1>250, T2<-5, T1-T2<-5 or open, not '%1'")
                    .arg(rule));
        line.alarmRules << rule;
    }
    line.onAlarm = parser.value(OnAlarm);
    if (parser.isSet(OnAlarm) && QProcess::splitCommand(line.onAlarm).isEmpty())
        return failed(QStringLiteral("--on-alarm expects a command"));
    return parsePublishing(parser, line);
}

} // namespace

QString CommandLine::defaultCsvPath(const QString &recordPath) {
    QString path = recordPath;
    if (path.endsWith(QLatin1String(".rdg"), Qt::CaseInsensitive))
        path.chop(4);
    return path + QLatin1String(".csv");
}

qint64 CommandLine::parseDuration(const QString &text) {
    // Nine digits of days still count in milliseconds without overflow.
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,9})([smhd]?)$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return 0;
    const qint64 number = match.captured(1).toLongLong();
    const QString unit = match.captured(2);
    const qint64 scale = unit == QLatin1String("d")   ? 86400
                         : unit == QLatin1String("h") ? 3600
                         : unit == QLatin1String("m") ? 60
                                                      : 1;
    return number * scale;
}

int CommandLine::recordPortNumber(const QStringList &mappings) {
    if (mappings.isEmpty())
        return 1;
    return PortChoice::portNumberOf(mappings.constFirst().section(QLatin1Char('='), 0, 0));
}

CommandLine CommandLine::parse(const QStringList &arguments) {
    QCommandLineParser parser;
    setUp(parser);
    if (!parser.parse(arguments))
        return failed(parserError(parser));

    CommandLine line;
    if (parser.isSet(Help)) {
        line.mode = Mode::Help;
        return line;
    }
    if (parser.isSet(Version)) {
        line.mode = Mode::Version;
        return line;
    }

    for (const QString &name : {Record, ExportCsv, Every, For, OnAlarm, Stats, From, To, Mqtt,
                                MqttCa, MqttUser, MqttPasswordFile, Name}) {
        if (parser.values(name).size() > 1)
            return failed(QStringLiteral("%1 given more than once").arg(dashed(name)));
    }
    QStringList modes;
    for (const QString &name : ModeOptions) {
        if (parser.isSet(name))
            modes << dashed(name);
    }
    if (modes.size() > 1)
        return failed(
            QStringLiteral("%1 cannot go together").arg(modes.join(QStringLiteral(" and "))));
    // --export-csv takes one, the CSV file; the window takes one, the record file it opens.
    const QStringList positional = parser.positionalArguments();
    const int positionalAllowed = parser.isSet(ExportCsv) || modes.isEmpty() ? 1 : 0;
    if (positional.size() > positionalAllowed)
        return failed(
            QStringLiteral("unexpected argument '%1'").arg(positional.at(positionalAllowed)));

    for (const QString &name : ToolkitOptionsWithValue + ToolkitFlags)
        line.toolkitOptions = line.toolkitOptions || parser.isSet(name);

    for (const QString &mapping : parser.values(Port)) {
        PortNames names;
        if (!names.addMapping(mapping))
            return failed(QStringLiteral("--port expects COMn=DEVICE with n from 1 to 16, not '%1'")
                              .arg(mapping));
        line.portMappings << mapping;
    }

    if (parser.isSet(ResetSettings)) {
        const QStringList given = parser.optionNames();
        if (std::any_of(given.begin(), given.end(),
                        [](const QString &name) { return name != ResetSettings; }))
            return failed(QStringLiteral("--reset-settings takes no other options"));
        line.mode = Mode::ResetSettings;
        return line;
    }

    if (parser.isSet(ExportCsv))
        return parseExportCsv(parser, positional);
    if (parser.isSet(Stats))
        return parseStats(parser);

    if (!parser.isSet(Record))
        return parseWindow(parser, positional, line);
    return parseRecord(parser, line);
}

QString CommandLine::usage() {
    return formsText(QStringLiteral("Usage: "), QStringLiteral("       "));
}

QString CommandLine::helpText() {
    QCommandLineParser parser;
    setUp(parser);
    // The parser names the program by the path it was started from; the help names it as
    // it is typed.
    QString text = parser.helpText();
    const qsizetype options = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && options > 0)
        text.replace(0, options, QStringLiteral("Usage: thermodesk"));
    return text;
}
