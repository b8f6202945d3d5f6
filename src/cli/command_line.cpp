#include "cli/command_line.h"

#include "link/port_choice.h"
#include "link/port_names.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString Record = QStringLiteral("record");
const QString ExportCsv = QStringLiteral("export-csv");
const QString Port = QStringLiteral("port");
const QString Every = QStringLiteral("every");
const QString For = QStringLiteral("for");
const QString Quiet = QStringLiteral("quiet");
const QString Force = QStringLiteral("force");
const QString ResetSettings = QStringLiteral("reset-settings");
const QString Help = QStringLiteral("help");
const QString Version = QStringLiteral("version");

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
const QStringList ModeOptions{Record, ExportCsv, ResetSettings};
// The options that only --record takes.
const QStringList RecordOnly{Every, For, Quiet};

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
    // "-platform xcb" is one option, as the window's toolkit reads it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {{QStringLiteral("h"), Help}, {}},
        {{QStringLiteral("v"), Version}, {}},
        {Port, {}, QStringLiteral("COMn=DEVICE")},
        {Record, {}, QStringLiteral("FILE")},
        {ExportCsv, {}, QStringLiteral("FILE")},
        {Every, {}, QStringLiteral("SECONDS")},
        {For, {}, QStringLiteral("DURATION")},
        {Quiet, {}},
        {Force, {}},
        {ResetSettings, {}},
    });
    for (const QString &name : ToolkitOptionsWithValue)
        parser.addOption({name, {}, QStringLiteral("value")});
    for (const QString &name : ToolkitFlags)
        parser.addOption({name, {}});

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

    for (const QString &name : {Record, ExportCsv, Every, For}) {
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

    if (!parser.isSet(Record)) {
        for (const QString &name : RecordOnly) {
            if (parser.isSet(name))
                return failed(QStringLiteral("%1 goes with --record only").arg(dashed(name)));
        }
        if (parser.isSet(Force))
            return failed(QStringLiteral("--force goes with --record or --export-csv only"));
        line.mode = Mode::Window;
        if (!positional.isEmpty()) {
            if (!line.portMappings.isEmpty())
                return failed(QStringLiteral("a record file opens without a meter: no --port"));
            line.mode = Mode::OpenFile;
            line.openPath = positional.first();
        }
        return line;
    }

    line.mode = Mode::Record;
    if (line.toolkitOptions)
        return failed(QStringLiteral("--record runs without a window and takes no window options"));
    line.recordPath = parser.value(Record);
    if (line.recordPath.isEmpty())
        return failed(QStringLiteral("--record expects a file name"));
    if (parser.isSet(Every)) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,6}$"));
        const QString text = parser.value(Every);
        const int seconds = digits.match(text).hasMatch() ? text.toInt() : 0;
        if (seconds < 1 || seconds > MaxEverySeconds)
            return failed(QStringLiteral("--every expects whole seconds from 1 to %1, not '%2'")
                              .arg(MaxEverySeconds)
                              .arg(text));
        line.everySeconds = seconds;
    }
    if (parser.isSet(For)) {
        const QString text = parser.value(For);
        line.forSeconds = parseDuration(text);
        if (line.forSeconds <= 0)
            return failed(
                QStringLiteral("--for expects a duration such as 90, 90s, 10m, 2h or 1d, not '%1'")
                    .arg(text));
    }
    line.quiet = parser.isSet(Quiet);
    line.force = parser.isSet(Force);
    return line;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Usage: thermodesk [--port COMn=DEVICE]...\n"
        "       thermodesk FILE.rdg\n"
        "       thermodesk --record FILE.rdg [--port COMn=DEVICE]... [--every SECONDS]\n"
        "                  [--for DURATION] [--quiet] [--force]\n"
        "       thermodesk --export-csv FILE.rdg [FILE.csv | -] [--force]\n"
        "       thermodesk --reset-settings\n");
}

QString CommandLine::helpText() {
    return usage() +
           QStringLiteral(
               "\n"
               "Companion of the two-channel thermocouple meter with data logger.\n"
               "Without options it opens the port chooser \"COM Port\", then the panel.\n"
               "With a record file it lists that file, without a port or a meter; closing\n"
               "the list ends the program.\n"
               "\n"
               "  --port COMn=DEVICE   maps a name of the port chooser to a serial device,\n"
               "                       e.g. COM1=/dev/ttyUSB0 (repeatable). The mappings\n"
               "                       given last are remembered for later runs.\n"
               "  --record FILE        records the meter into FILE without any window, as\n"
               "                       \"Save As\" does, until stopped (Ctrl+C, SIGTERM,\n"
               "                       SIGHUP). It reads the port of the first mapping\n"
               "                       (COM1 when there is none).\n"
               "  --every SECONDS      seconds between samples, 1 to 86400 (default 1)\n"
               "  --for DURATION       ends the recording DURATION after the start:\n"
               "                       90, 90s, 10m, 2h, 1d\n"
               "  --quiet              no status line per sample on standard error\n"
               "  --export-csv FILE    writes the records of the record file FILE as CSV\n"
               "                       (UTF-8, a header line, ISO 8601 times, readings as\n"
               "                       numbers, OL and ---- as empty cells) to the file\n"
               "                       named next, to standard output for -, or else to\n"
               "                       FILE with .csv for .rdg. Lines that cannot be read\n"
               "                       are left out, counted on standard error, exit code 1.\n"
               "  --force              overwrites the file written when it exists\n"
               "  --reset-settings     forgets the remembered folders and port mappings\n"
               "  -h, --help           this help\n"
               "  -v, --version        the version\n");
}
