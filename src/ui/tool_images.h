// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QString>

// A toolbar button's picture by its name: "save" is ":/images/save.svg".
QIcon toolImage(const QString &picture);
