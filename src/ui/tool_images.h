#pragma once

#include <QIcon>
#include <QString>

// A toolbar button's picture by its name: "save" is ":/images/save.svg".
QIcon toolImage(const QString &picture);
