// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/dialogs.h"

#include <functional>

// The dialogs of a run without windows: nobody is there to answer, so each message becomes
// one line for standard error and every question and file choice is cancelled.
class ConsoleDialogs : public Dialogs {
public:
    using Output = std::function<void(const QString &line)>;

    explicit ConsoleDialogs(Output output);

    // A message with OK only is told and answered OK; one that asks is told and cancelled.
    Answer message(const QString &text, Icon icon, Buttons buttons, const QString &title) override;
    QString input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFile(const QString &) override { return {}; }
    QString saveFile(const QString &) override { return {}; }
    QString saveFileAs(const QString &, const QString &) override { return {}; }

    // The text on one line: line breaks become blanks.
    static QString oneLine(const QString &text);

private:
    Output m_output;
};
