#pragma once

class Dialogs;
struct ProgramState;

// The save dialog shared by the panel's recording and the lists' saves.
namespace FileTransfer {

// Asks for a record file to write. A chosen file sets ChosenFileName and FileChosen;
// a cancel leaves both as they were.
void ShowSaveDialog(Dialogs &dialogs, ProgramState &state);

} // namespace FileTransfer
