#include "panel/file_transfer.h"

#include "platform/dialogs.h"

#include <QFileInfo>

namespace FileTransfer {

QString ShowSaveDialog(Dialogs &dialogs) {
    const QString path =
        dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|"));
    if (QFileInfo(path).fileName().isEmpty())
        return {};
    return path;
}

} // namespace FileTransfer
