// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// The files of one recording as they lie in a folder: the file it was started in and the
// continuation files it moved on to (data.rdg, data001.rdg, data002.rdg ...; for a name
// without a dot data, data002, data003 ...), in the order of their part numbers.
struct RecordingParts {
    // The first file and the continuation files after it, with their folder.
    QStringList paths;
    // The part number of each path, 0 for the first file. A number skipped is a part
    // missing, or a recording that began after another one in the same run of the program:
    // its continuation files go on from the numbers the one before used. The record
    // numbers, which go on from part to part, tell the two apart.
    QList<int> numbers;

    // From the names of the files in the first file's folder.
    static RecordingParts find(const QString &firstPath, const QStringList &namesInFolder);
    // From the folder on the disk; anything there that is not a folder counts as a file,
    // so a part that cannot be read is found and then reported by its reader.
    static RecordingParts inFolder(const QString &firstPath);
};
