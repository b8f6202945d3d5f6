// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/export_csv_command.h"

#include "cli/command_line.h"
#include "records/csv_export.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace ExportCsvCommand {

int run(const CommandLine &line, const Output &errorLine) {
    const auto say = [&errorLine](const QString &text) {
        errorLine(QStringLiteral("thermodesk: ") + text);
    };
    const bool toStandardOutput = line.exportOutput == QLatin1String("-");
    const QString input = QDir::toNativeSeparators(line.exportInput);
    const QString output = toStandardOutput ? QStringLiteral("standard output")
                                            : QDir::toNativeSeparators(line.exportOutput);
    // As --record does: a file that is there is only replaced when asked to.
    if (!toStandardOutput && !line.force && QFileInfo(line.exportOutput).exists() &&
        !QFileInfo(line.exportOutput).isDir()) {
        say(QStringLiteral("%1 exists; --force overwrites it").arg(output));
        return 1;
    }

    const CsvExport::FileResult result =
        CsvExport::convertFile(line.exportInput, line.exportOutput);
    if (!result.written) {
        say(QStringLiteral("cannot export %1 to %2: %3").arg(input, output, result.error));
        return 1;
    }
    say(QStringLiteral("%1 %2 exported to %3")
            .arg(result.records)
            .arg(result.records == 1 ? QStringLiteral("record") : QStringLiteral("records"),
                 output));
    if (result.linesRefused == 0)
        return 0;
    QStringList numbers;
    for (const qint64 number : result.firstRefusedLines)
        numbers << QString::number(number);
    if (result.linesRefused > result.firstRefusedLines.size())
        numbers << QStringLiteral("...");
    say(QStringLiteral("%1 %2 of %3 could not be read and %4 left out (%5 %6)")
            .arg(result.linesRefused)
            .arg(result.linesRefused == 1 ? QStringLiteral("line") : QStringLiteral("lines"), input,
                 result.linesRefused == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                 result.linesRefused == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                 numbers.join(QStringLiteral(", "))));
    return 1;
}

} // namespace ExportCsvCommand
