// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/dialogs.h"

#include <QStringList>

namespace bench {

// Dialogs that nobody sits in front of: every message is kept and answered OK, every
// file dialog answered with the path it is given.
class ScriptedDialogs : public Dialogs {
public:
    QString path;
    QStringList messages;

    Answer message(const QString &text, Icon, Buttons, const QString &) override {
        messages << text;
        return Answer::Ok;
    }
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const QString &) override { return path; }
    QString saveFile(const QString &) override { return path; }
    QString saveFileAs(const QString &, const QString &) override { return path; }
};

} // namespace bench
