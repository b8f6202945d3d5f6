// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class Dialogs;

// The save dialogs shared by the panel's recording and the lists' saves and exports.
namespace FileTransfer {

// Asks for a record file to write: the chosen path, or an empty text when no file was
// chosen (the dialog was cancelled or the name has no file part).
QString ShowSaveDialog(Dialogs &dialogs);
// The same for a CSV export: "CSV Files (*.csv)", ".csv" added to a name without suffix.
QString ShowCsvSaveDialog(Dialogs &dialogs);

} // namespace FileTransfer
