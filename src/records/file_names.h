// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QDateTime;

// Names of the record files the program chooses itself.

// The file a recording moves on to after every 345,600 records. The part number goes
// before the first "." of the file's name (data.rdg, part 1: data001.rdg; a dot in a
// folder name does not count); a name without a dot gets part + 1 appended (data, part
// 1: data002), as earlier versions named such files. At least three digits.
QString continuationFileName(const QString &chosenPath, int filePart);

// The file the live list is dumped to when full: "MMddHHmmss.rdg" in the current folder.
QString listDumpFileName(const QDateTime &now);
