// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for: one mode and the options that go with it. Parsing
// does nothing else, so main() can choose between a window and a run without a display
// before anything touches one.
struct CommandLine {
    enum class Mode {
        Window,        // the port chooser, then the panel
        OpenFile,      // FILE.rdg: the file's list as the only window, without a meter
        Record,        // --record: unattended logging without a window
        ExportCsv,     // --export-csv: a record file converted to CSV, without a window
        Stats,         // --stats: a record file's statistics, without a window
        ResetSettings, // --reset-settings: forget what was stored, then end
        Help,
        Version,
        Error, // see error; the exit code is 2
    };

    static constexpr int MaxEverySeconds = 86400;
    static constexpr int UsageExitCode = 2;

    // The arguments as main() gets them, the program's name first.
    static CommandLine parse(const QStringList &arguments);
    // The forms of the command line, a line each.
    static QString usage();
    // The usage and every option with what it does, for --help: the parser's own help of
    // the options it knows.
    static QString helpText();
    // The port --record reads: the one of the first mapping, COM1 when there is none.
    static int recordPortNumber(const QStringList &mappings);
    // A duration as --for takes it: whole seconds, or a number with s, m, h or d.
    // 0 when the text is not one.
    static qint64 parseDuration(const QString &text);

    Mode mode = Mode::Window;
    QString error; // one line, when mode is Error
    // "COMn=DEVICE", each checked, in the order given.
    QStringList portMappings;
    // Whether an option of the window's toolkit (-platform, -style, ...) was given: the
    // window takes them; a run without a window refuses them.
    bool toolkitOptions = false;

    // --record
    QString recordPath;
    int everySeconds = 1;
    qint64 forSeconds = 0; // 0: until stopped
    bool quiet = false;
    bool force = false; // also --export-csv: an existing CSV file is replaced
    // --alarm RULE each ("T1>250", "T1-T2<-5", "open"), checked; --on-alarm COMMAND.
    QStringList alarmRules;
    QString onAlarm;

    // --mqtt and what goes with it (with --record)
    QString mqttUrl; // empty: no publishing
    QString mqttCa;
    QString mqttUser;
    QString mqttPasswordFile;
    QString name; // empty: the default, the host's and the port's

    // FILE.rdg: the record file to open without a meter
    QString openPath;

    // --export-csv IN.rdg [OUT.csv]: the CSV file is OUT, "-" for standard output, or
    // else IN with ".csv" in place of ".rdg".
    QString exportInput;
    QString exportOutput;
    // --stats FILE.rdg [--from N --to M] [--csv]: 0 for From and To when not given (the
    // first record, the last).
    QString statsInput;
    int statsFrom = 0;
    int statsTo = 0;
    bool statsCsv = false;

    // The CSV file of a record file when none is named: "data.rdg" gives "data.csv",
    // "data" gives "data.csv".
    static QString defaultCsvPath(const QString &recordPath);
};
