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
        {QStringLiteral("List"), {"save", "csv"}},
        {QStringLiteral("DataList"), {"save", "csv"}},
        {QStringLiteral("FileList"), {"graph", "print", "csv", "parts"}},
        {QStringLiteral("RealTimeT1T2"), {"function", "range", "print", "save_image"}},
        {QStringLiteral("ListPlot"), {"function", "range", "print", "save_image"}}};
    const QStringList images = imageLists.value(windowName);
    if (index < 1 || index > images.size())
        return {};
    // One icon per picture for the whole run: an icon keeps what it has drawn, so a list
    // window opened again shows its toolbar without drawing the pictures anew.
    static QHash<QString, QIcon> icons;
    const QString &image = images.at(index - 1);
    auto icon = icons.find(image);
    if (icon == icons.end())
        icon = icons.insert(image, QIcon(QStringLiteral(":/images/%1.svg").arg(image)));
    return *icon;
}
