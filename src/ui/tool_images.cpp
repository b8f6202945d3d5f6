#include "ui/tool_images.h"

#include <QHash>
#include <QStringList>

static void initImages() {
    Q_INIT_RESOURCE(images);
}

QIcon toolImage(const QString &windowName, int index) {
    initImages();
    static const QHash<QString, QStringList> imageLists{
        {QStringLiteral("Panel"), {"save", "open", "sample", "list", "graph", "stop"}},
        {QStringLiteral("List"), {"save"}},
        {QStringLiteral("DataList"), {"save"}},
        {QStringLiteral("FileList"), {"graph", "print"}}};
    const QStringList images = imageLists.value(windowName);
    if (index < 1 || index > images.size())
        return {};
    return QIcon(QStringLiteral(":/images/%1.svg").arg(images.at(index - 1)));
}
