#pragma once

#include <QString>
#include <QStringList>

// The files of one recording as they lie in a folder: the file it was started in and the
// continuation files it moved on to (data.rdg, data001.rdg, data002.rdg ...; for a name
// without a dot data, data002, data003 ...), in order, up to the first one missing.
struct RecordingParts {
    // The first file and the continuation files after it, with their folder.
    QStringList paths;
    // The name of the first continuation file missing before a later one that is there
    // (a gap: the recording goes on past it); empty when the parts simply end.
    QString missing;

    // From the names of the files in the first file's folder.
    static RecordingParts find(const QString &firstPath, const QStringList &namesInFolder);
    // From the folder on the disk; anything there that is not a folder counts as a file,
    // so a part that cannot be read is found and then reported by its reader.
    static RecordingParts inFolder(const QString &firstPath);
};
