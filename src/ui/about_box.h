// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

// "About ThermoDesk", opened by F1: the version, then how to use the program as the README
// tells it (its sections "Using it" and "Keys", embedded from the README itself, so the
// text is kept in one place).
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget *parent = nullptr);

    // The version line: "ThermoDesk 8.0.0".
    static QString versionLine();
    // The README's usage sections as Markdown.
    static QString usageText();
    // One "## title" section of a Markdown text, its heading included; empty when missing.
    static QString section(const QString &markdown, const QString &title);
};
