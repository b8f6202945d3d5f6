// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/console_dialogs.h"

#include <QRegularExpression>

ConsoleDialogs::ConsoleDialogs(Output output)
    : m_output(std::move(output)) {}

Dialogs::Answer ConsoleDialogs::message(const QString &text, Icon, Buttons buttons,
                                        const QString &) {
    m_output(oneLine(text));
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

QString ConsoleDialogs::oneLine(const QString &text) {
    static const QRegularExpression breaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}
