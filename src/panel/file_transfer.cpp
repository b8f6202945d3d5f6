#include "panel/file_transfer.h"

#include "platform/dialogs.h"
#include "program/program_state.h"

#include <QFileInfo>

namespace FileTransfer {

void ShowSaveDialog(Dialogs &dialogs, ProgramState &state) {
    const QString path =
        dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|"));
    if (path.isEmpty())
        return;
    state.ChosenFileName = path;
    state.FileChosen = !QFileInfo(path).fileName().isEmpty();
}

} // namespace FileTransfer
