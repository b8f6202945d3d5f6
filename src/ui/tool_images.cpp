// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tool_images.h"

#include <QHash>

static void initImages() {
    Q_INIT_RESOURCE(images);
}

QIcon toolImage(const QString &picture) {
    initImages();
    // One icon per picture for the whole run: an icon keeps what it has drawn, so a list
    // window opened again shows its toolbar without drawing the pictures anew.
    static QHash<QString, QIcon> icons;
    auto icon = icons.find(picture);
    if (icon == icons.end())
        icon = icons.insert(picture, QIcon(QStringLiteral(":/images/%1.svg").arg(picture)));
    return *icon;
}
