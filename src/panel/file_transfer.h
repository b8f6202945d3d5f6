#pragma once

#include <QString>

class Dialogs;

// The save dialog shared by the panel's recording and the lists' saves.
namespace FileTransfer {

// Asks for a record file to write: the chosen path, or an empty text when no file was
// chosen (the dialog was cancelled or the name has no file part).
QString ShowSaveDialog(Dialogs &dialogs);

} // namespace FileTransfer
