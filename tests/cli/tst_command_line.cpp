// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_line.h"

#include <QTest>

Q_DECLARE_METATYPE(CommandLine::Mode)

namespace {

// The program's name, then the words of text: split at "|" where it has one (for
// arguments with blanks), else at blanks.
QStringList args(const QString &text) {
    const QChar separator = text.contains(QLatin1Char('|')) ? QLatin1Char('|') : QLatin1Char(' ');
    return QStringList{QStringLiteral("thermodesk")} + text.split(separator, Qt::SkipEmptyParts);
}

} // namespace

// The command line: which mode each form chooses, what it carries, and the one-line error
// of each form that is refused.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void publishing();
    void accepted_data();
    void accepted();
    void exportCsv_data();
    void exportCsv();
    void stats_data();
    void stats();
    void openFile_data();
    void openFile();
    void refused_data();
    void refused();
    void durations_data();
    void durations();
    void recordPort_data();
    void recordPort();
    void helpNamesEveryOption();
    void alarms();
};

void TestCommandLine::accepted_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<CommandLine::Mode>("mode");
    QTest::addColumn<QStringList>("mappings");
    QTest::addColumn<QString>("recordPath");
    QTest::addColumn<int>("every");
    QTest::addColumn<qint64>("forSeconds");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("toolkitOptions");

    using M = CommandLine::Mode;
    const QStringList none;
    const QStringList com1{"COM1=/dev/ttyUSB0"};
    QTest::newRow("nothing: the window")
        << args("") << M::Window << none << "" << 1 << 0LL << false << false << false;
    QTest::newRow("window with mappings in order")
        << args("--port COM2=/dev/ttyACM0 --port COM1=/dev/ttyUSB0") << M::Window
        << QStringList{"COM2=/dev/ttyACM0", "COM1=/dev/ttyUSB0"} << "" << 1 << 0LL << false << false
        << false;
    QTest::newRow("window with the toolkit's own options")
        << args("-platform offscreen -style=fusion -reverse") << M::Window << none << "" << 1 << 0LL
        << false << false << true;
    QTest::newRow("record, defaults")
        << args("--record out.rdg --port COM1=/dev/ttyUSB0") << M::Record << com1 << "out.rdg" << 1
        << 0LL << false << false << false;
    QTest::newRow("record without a port: the remembered one")
        << args("--record out.rdg") << M::Record << none << "out.rdg" << 1 << 0LL << false << false
        << false;
    QTest::newRow("record, every option")
        << args("--record|/tmp/a "
                "b.rdg|--port|COM1=/dev/ttyUSB0|--every|86400|--for|2h|--quiet|--force")
        << M::Record << com1 << "/tmp/a b.rdg" << 86400 << 7200LL << true << true << false;
    QTest::newRow("record, options first, = form")
        << args("--every=5 --for=1d --record=x.rdg") << M::Record << none << "x.rdg" << 5 << 86400LL
        << false << false << false;
    QTest::newRow("reset settings") << args("--reset-settings") << M::ResetSettings << none << ""
                                    << 1 << 0LL << false << false << false;
    QTest::newRow("help") << args("--help") << M::Help << none << "" << 1 << 0LL << false << false
                          << false;
    QTest::newRow("help wins over anything") << args("-h --record x.rdg --every 0") << M::Help
                                             << none << "" << 1 << 0LL << false << false << false;
    QTest::newRow("version") << args("-v") << M::Version << none << "" << 1 << 0LL << false << false
                             << false;
}

void TestCommandLine::accepted() {
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Mode, mode);
    QFETCH(QStringList, mappings);

    const CommandLine line = CommandLine::parse(arguments);
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.mode, mode);
    QCOMPARE(line.portMappings, mappings);
    QTEST(line.recordPath, "recordPath");
    QTEST(line.everySeconds, "every");
    QTEST(line.forSeconds, "forSeconds");
    QTEST(line.quiet, "quiet");
    QTEST(line.force, "force");
    QTEST(line.toolkitOptions, "toolkitOptions");
}

void TestCommandLine::openFile_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("toolkitOptions");

    // What a double-click on a record file runs, with the path as the desktop passes it.
    QTest::newRow("a record file") << args("data.rdg") << "data.rdg" << false;
    QTest::newRow("a path with blanks") << args("C:\\Users\\Ann\\My Records\\oven 1.rdg|")
                                        << "C:\\Users\\Ann\\My Records\\oven 1.rdg" << false;
    QTest::newRow("with the toolkit's options")
        << args("-style fusion /tmp/x.rdg") << "/tmp/x.rdg" << true;
}

void TestCommandLine::openFile() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, path);

    const CommandLine line = CommandLine::parse(arguments);
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.mode, CommandLine::Mode::OpenFile);
    QCOMPARE(line.openPath, path);
    QVERIFY(line.portMappings.isEmpty());
    QTEST(line.toolkitOptions, "toolkitOptions");
}

void TestCommandLine::refused_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown option") << args("--bogus") << "unknown option 'bogus'";
    QTest::newRow("two record files") << args("a.rdg b.rdg") << "unexpected argument 'b.rdg'";
    QTest::newRow("record file with a port")
        << args("a.rdg --port COM1=/dev/ttyS0") << "a record file opens without a meter: no --port";
    QTest::newRow("record with a positional argument")
        << args("--record a.rdg b.rdg") << "unexpected argument 'b.rdg'";
    QTest::newRow("reset with a positional argument")
        << args("--reset-settings a.rdg") << "unexpected argument 'a.rdg'";
    QTest::newRow("record without a file") << args("--record") << "missing value after '--record'";
    QTest::newRow("record twice") << args("--record a.rdg --record b.rdg")
                                  << "--record given more than once";
    QTest::newRow("every twice") << args("--record a.rdg --every 1 --every 2")
                                 << "--every given more than once";
    QTest::newRow("two modes") << args("--record a.rdg --reset-settings")
                               << "--record and --reset-settings cannot go together";
    QTest::newRow("reset with a port") << args("--reset-settings --port COM1=/dev/ttyS0")
                                       << "--reset-settings takes no other options";
    QTest::newRow("every without record") << args("--every 5") << "--every goes with --record only";
    QTest::newRow("for without record")
        << args("--port COM1=/dev/ttyS0 --for 10m") << "--for goes with --record only";
    QTest::newRow("quiet without record") << args("--quiet") << "--quiet goes with --record only";
    QTest::newRow("alarm without record")
        << args("--alarm T1>250") << "--alarm goes with --record only";
    QTest::newRow("alarm of no channel")
        << args("--record a.rdg --alarm T3>250")
        << "--alarm expects T1>250, T2<-5, T1-T2<-5 or open, not 'T3>250'";
    QTest::newRow("alarm without a limit")
        << args("--record a.rdg --alarm T1>")
        << "--alarm expects T1>250, T2<-5, T1-T2<-5 or open, not 'T1>'";
    QTest::newRow("alarm finer than the meter shows")
        << args("--record a.rdg --alarm T1>250.05")
        << "--alarm expects T1>250, T2<-5, T1-T2<-5 or open, not 'T1>250.05'";
    QTest::newRow("on-alarm twice")
        << args("--record a.rdg --on-alarm a --on-alarm b") << "--on-alarm given more than once";
    QTest::newRow("on-alarm empty")
        << QStringList{"thermodesk", "--record", "a.rdg", "--on-alarm", " "}
        << "--on-alarm expects a command";
    QTest::newRow("force without record")
        << args("--force") << "--force goes with --record or --export-csv only";
    QTest::newRow("export without a file")
        << args("--export-csv") << "missing value after '--export-csv'";
    QTest::newRow("export twice") << args("--export-csv a.rdg --export-csv b.rdg")
                                  << "--export-csv given more than once";
    QTest::newRow("export and record") << args("--export-csv a.rdg --record b.rdg")
                                       << "--record and --export-csv cannot go together";
    QTest::newRow("export with two CSV files")
        << args("--export-csv a.rdg a.csv b.csv") << "unexpected argument 'b.csv'";
    QTest::newRow("export with a port") << args("--export-csv a.rdg --port COM1=/dev/ttyS0")
                                        << "--export-csv takes no option --port";
    QTest::newRow("export with a record option")
        << args("--export-csv a.rdg --quiet") << "--quiet goes with --record only";
    QTest::newRow("export with a window option") << args("--export-csv a.rdg -platform offscreen")
                                                 << "--export-csv takes no option --platform";
    QTest::newRow("export to an empty name")
        << QStringList{"thermodesk", "--export-csv", "a.rdg", ""}
        << "--export-csv expects a CSV file name or -";
    QTest::newRow("stats without a file") << args("--stats") << "missing value after '--stats'";
    QTest::newRow("stats and export") << args("--stats a.rdg --export-csv a.rdg")
                                      << "--export-csv and --stats cannot go together";
    QTest::newRow("stats with a positional argument")
        << args("--stats a.rdg b.rdg") << "unexpected argument 'b.rdg'";
    QTest::newRow("stats with a record option")
        << args("--stats a.rdg --every 5") << "--stats takes no option --every";
    QTest::newRow("from 0") << args("--stats a.rdg --from 0")
                            << "--from expects a record number from 1, not '0'";
    QTest::newRow("to not a number")
        << args("--stats a.rdg --to x") << "--to expects a record number from 1, not 'x'";
    QTest::newRow("from after to")
        << args("--stats a.rdg --from 9 --to 3") << "--from must not lie after --to";
    QTest::newRow("csv without stats") << args("--csv") << "--csv goes with --stats only";
    QTest::newRow("from with record")
        << args("--record a.rdg --from 3") << "--from goes with --stats only";
    QTest::newRow("record with a window option")
        << args("--record a.rdg -platform offscreen")
        << "--record runs without a window and takes no window options";
    QTest::newRow("port without device")
        << args("--port COM1") << "--port expects COMn=DEVICE with n from 1 to 16, not 'COM1'";
    QTest::newRow("port beyond 16") << args("--port COM17=/dev/x")
                                    << "--port expects COMn=DEVICE with n from 1 to 16, not "
                                       "'COM17=/dev/x'";
    QTest::newRow("port in lower case")
        << args("--record a.rdg --port com1=/dev/x")
        << "--port expects COMn=DEVICE with n from 1 to 16, not 'com1=/dev/x'";
    const QString every = QStringLiteral("--every expects whole seconds from 1 to 86400, not '%1'");
    QTest::newRow("every 0") << args("--record a.rdg --every 0") << every.arg("0");
    QTest::newRow("every beyond a day")
        << args("--record a.rdg --every 86401") << every.arg("86401");
    QTest::newRow("every negative") << args("--record a.rdg --every -5") << every.arg("-5");
    QTest::newRow("every with a unit") << args("--record a.rdg --every 5s") << every.arg("5s");
    QTest::newRow("every decimal") << args("--record a.rdg --every 1.5") << every.arg("1.5");
    const QString duration =
        QStringLiteral("--for expects a duration such as 90, 90s, 10m, 2h or 1d, not '%1'");
    QTest::newRow("for 0") << args("--record a.rdg --for 0") << duration.arg("0");
    QTest::newRow("for decimal") << args("--record a.rdg --for 1.5h") << duration.arg("1.5h");
    QTest::newRow("for unknown unit") << args("--record a.rdg --for 3w") << duration.arg("3w");
    QTest::newRow("mqtt without record")
        << args("--mqtt mqtt://h") << "--mqtt goes with --record only";
    QTest::newRow("mqtt user without mqtt")
        << args("--record a.rdg --mqtt-user u") << "--mqtt-user goes with --mqtt";
    QTest::newRow("mqtt wrong scheme")
        << args("--record a.rdg --mqtt http://h")
        << "--mqtt expects mqtt://HOST[:PORT] or mqtts://HOST[:PORT], not 'http://h'";
    QTest::newRow("mqtts without a CA") << args("--record a.rdg --mqtt mqtts://h")
                                        << "mqtts:// needs --mqtt-ca FILE, the CA certificates";
    QTest::newRow("CA without mqtts") << args("--record a.rdg --mqtt mqtt://h --mqtt-ca c.pem")
                                      << "--mqtt-ca goes with mqtts:// only";
    QTest::newRow("password file without user")
        << args("--record a.rdg --mqtt mqtt://h --mqtt-password-file p")
        << "--mqtt-password-file goes with --mqtt-user";
    QTest::newRow("name with a slash")
        << args("--record a.rdg --mqtt mqtt://h --name a/b")
        << "--name expects letters, digits, - and _ (at most 64), not 'a/b'";
}

void TestCommandLine::publishing() {
    const CommandLine line = CommandLine::parse(
        args("--record a.rdg --mqtt mqtts://broker:8884 --mqtt-ca ca.pem --mqtt-user lab "
             "--mqtt-password-file pw --name oven-1"));
    QCOMPARE(line.mode, CommandLine::Mode::Record);
    QCOMPARE(
        QStringList({line.mqttUrl, line.mqttCa, line.mqttUser, line.mqttPasswordFile, line.name}),
        QStringList({"mqtts://broker:8884", "ca.pem", "lab", "pw", "oven-1"}));
}

void TestCommandLine::exportCsv_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("force");

    QTest::newRow("CSV file named") << args("--export-csv in.rdg out.csv") << "in.rdg"
                                    << "out.csv" << false;
    QTest::newRow("standard output") << args("--export-csv in.rdg -") << "in.rdg"
                                     << "-" << false;
    QTest::newRow("none named: .csv for .rdg")
        << args("--export-csv|/data/oven 2.RDG") << "/data/oven 2.RDG"
        << "/data/oven 2.csv" << false;
    QTest::newRow("none named, no .rdg: .csv added") << args("--export-csv=run.txt") << "run.txt"
                                                     << "run.txt.csv" << false;
    QTest::newRow("file first, then the option, --force")
        << args("out.csv --force --export-csv in.rdg") << "in.rdg"
        << "out.csv" << true;
}

void TestCommandLine::exportCsv() {
    QFETCH(QStringList, arguments);
    const CommandLine line = CommandLine::parse(arguments);
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.mode, CommandLine::Mode::ExportCsv);
    QTEST(line.exportInput, "input");
    QTEST(line.exportOutput, "output");
    QTEST(line.force, "force");
    QVERIFY(line.portMappings.isEmpty());
}

void TestCommandLine::stats_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("csv");

    QTest::newRow("the whole file") << args("--stats run.rdg") << 0 << 0 << false;
    QTest::newRow("a span, as CSV")
        << args("--stats run.rdg --from 10 --to 20 --csv") << 10 << 20 << true;
    QTest::newRow("from alone, = form") << args("--from=7 --stats=run.rdg") << 7 << 0 << false;
    QTest::newRow("a single record") << args("--stats run.rdg --from 5 --to 5") << 5 << 5 << false;
}

void TestCommandLine::stats() {
    QFETCH(QStringList, arguments);
    const CommandLine line = CommandLine::parse(arguments);
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QCOMPARE(line.mode, CommandLine::Mode::Stats);
    QCOMPARE(line.statsInput, QStringLiteral("run.rdg"));
    QTEST(line.statsFrom, "from");
    QTEST(line.statsTo, "to");
    QTEST(line.statsCsv, "csv");
}

void TestCommandLine::refused() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);

    const CommandLine line = CommandLine::parse(arguments);
    QCOMPARE(line.mode, CommandLine::Mode::Error);
    QCOMPARE(line.error, error);
    QVERIFY(!line.error.contains(QLatin1Char('\n')));
}

void TestCommandLine::durations_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("seconds");

    QTest::newRow("bare seconds") << "90" << 90LL;
    QTest::newRow("seconds") << "90s" << 90LL;
    QTest::newRow("minutes") << "10m" << 600LL;
    QTest::newRow("hours") << "2h" << 7200LL;
    QTest::newRow("days") << "1d" << 86400LL;
    QTest::newRow("many days") << "999999999d" << 999999999LL * 86400;
    QTest::newRow("too many digits") << "1000000000d" << 0LL;
    QTest::newRow("empty") << "" << 0LL;
    QTest::newRow("unit alone") << "h" << 0LL;
    QTest::newRow("upper-case unit") << "2H" << 0LL;
    QTest::newRow("blank inside") << "2 h" << 0LL;
    QTest::newRow("sign") << "+5m" << 0LL;
}

void TestCommandLine::durations() {
    QFETCH(QString, text);
    QTEST(CommandLine::parseDuration(text), "seconds");
}

void TestCommandLine::recordPort_data() {
    QTest::addColumn<QStringList>("mappings");
    QTest::addColumn<int>("portNumber");

    QTest::newRow("none: COM1") << QStringList{} << 1;
    QTest::newRow("one") << QStringList{"COM7=/dev/ttyUSB1"} << 7;
    QTest::newRow("the first of several")
        << QStringList{"COM12=/dev/ttyS0", "COM1=/dev/ttyUSB0"} << 12;
}

void TestCommandLine::recordPort() {
    QFETCH(QStringList, mappings);
    QTEST(CommandLine::recordPortNumber(mappings), "portNumber");
}

void TestCommandLine::helpNamesEveryOption() {
    const QString help = CommandLine::helpText();
    QVERIFY2(help.startsWith(QStringLiteral("Usage: thermodesk [options]")), qPrintable(help));
    // Each option the command line takes, with its value and what it does, as the parser
    // knows it; the window toolkit's own options are the toolkit's to explain.
    for (const char *option :
         {"--port <COMn=DEVICE>", "--record <FILE>", "--every <SECONDS>", "--for <DURATION>",
          "--quiet", "--export-csv <FILE>", "--force", "--reset-settings", "--stats <FILE>",
          "--from <N>", "--to <M>", "--csv", "-h, --help", "-v, --version"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
    for (const char *words : {"seconds between samples, 1 to 86400", "overwrites the file written",
                              "forgets the remembered folders"})
        QVERIFY2(help.contains(QLatin1String(words)), words);
    QVERIFY(!help.contains(QStringLiteral("platform")));
    // The usage's forms, as an error shows them too.
    QVERIFY(help.contains(QStringLiteral("thermodesk --reset-settings")));
    QVERIFY(
        CommandLine::usage().startsWith(QStringLiteral("Usage: thermodesk [--port COMn=DEVICE]...\n"
                                                       "       thermodesk FILE.rdg\n"
                                                       "       thermodesk --record FILE.rdg")));
}

void TestCommandLine::alarms() {
    const CommandLine line = CommandLine::parse({"thermodesk", "--record", "a.rdg", "--alarm",
                                                 "T1>250", "--alarm", "T1-T2<-5", "--alarm", "open",
                                                 "--on-alarm", "notify-send \"oven alarm\""});
    QCOMPARE(line.mode, CommandLine::Mode::Record);
    QCOMPARE(line.alarmRules, (QStringList{"T1>250", "T1-T2<-5", "open"}));
    QCOMPARE(line.onAlarm, QStringLiteral("notify-send \"oven alarm\""));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
