// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/recording_parts.h"

#include "records/file_names.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace {

// The part number a name in the folder would have as a continuation of the first file's
// name; 0 when it is none. Names are compared as continuationFileName makes them, so
// "data01.rdg" or "data0001.rdg" are no parts of "data.rdg".
int partOf(const QString &firstName, const QString &name) {
    const qsizetype dot = firstName.indexOf(QLatin1Char('.'));
    const QString prefix = dot < 0 ? firstName : firstName.left(dot);
    const QString suffix = dot < 0 ? QString() : firstName.mid(dot);
    if (name.size() < prefix.size() + suffix.size() + 3 || !name.startsWith(prefix) ||
        !name.endsWith(suffix))
        return 0;
    const QStringView digits =
        QStringView(name).mid(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (!std::all_of(digits.begin(), digits.end(),
                     [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return 0;
    bool ok = false;
    const int number = digits.toInt(&ok);
    // A name without a dot carries the part number plus one: data002 is part 1.
    const int part = dot < 0 ? number - 1 : number;
    if (!ok || part < 1 || continuationFileName(firstName, part) != name)
        return 0;
    return part;
}

} // namespace

RecordingParts RecordingParts::find(const QString &firstPath, const QStringList &namesInFolder) {
    const qsizetype slash =
        std::max(firstPath.lastIndexOf(QLatin1Char('/')), firstPath.lastIndexOf(QLatin1Char('\\')));
    const QString folder = firstPath.left(slash + 1);
    const QString firstName = firstPath.mid(slash + 1);
    RecordingParts parts;
    parts.paths << firstPath;
    parts.numbers << 0;
    if (firstName.isEmpty())
        return parts;
    // Each part number has one name, so the numbers found are distinct.
    QMap<int, QString> found;
    for (const QString &name : namesInFolder) {
        const int part = partOf(firstName, name);
        if (part > 0)
            found.insert(part, name);
    }
    for (auto it = found.cbegin(); it != found.cend(); ++it) {
        parts.paths << folder + it.value();
        parts.numbers << it.key();
    }
    return parts;
}

RecordingParts RecordingParts::inFolder(const QString &firstPath) {
    const QFileInfo first(firstPath);
    const QStringList names = first.dir().entryList(QDir::Files | QDir::System | QDir::Hidden);
    return find(firstPath, names);
}
