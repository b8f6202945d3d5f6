// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// A printer fed line by line; page breaks are the printer's own.
class TextPrinter {
public:
    virtual ~TextPrinter() = default;

    // Shows the printer dialog; false when the user cancels it.
    virtual bool choosePrinter() = 0;
    // Uses a fixed-pitch fallback when the family is not installed.
    virtual void useFont(const QString &family, double pointSize) = 0;
    // False when the line could not be printed.
    virtual bool printLine(const QString &line) = 0;
    // Sends the job to the printer; false when that failed.
    virtual bool endDocument() = 0;
};
