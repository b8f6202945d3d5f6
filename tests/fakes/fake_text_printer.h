// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/text_printer.h"

#include <QStringList>

// A printer that keeps what it was asked to print in a job the test owns, so the
// printout can be checked after the command has dropped the printer.
class FakeTextPrinter : public TextPrinter {
public:
    // The script (cancel, failing line) and the record of one or more printouts.
    struct Job {
        bool cancelDialog = false;
        int failAtLine = -1; // 0-based index among printLine calls; -1: never fails

        int dialogs = 0;
        QString fontFamily;
        double fontSize = 0;
        QStringList lines;
        bool ended = false;
    };

    explicit FakeTextPrinter(Job &job)
        : m_job(job) {}

    bool choosePrinter() override {
        ++m_job.dialogs;
        return !m_job.cancelDialog;
    }
    void useFont(const QString &family, double pointSize) override {
        m_job.fontFamily = family;
        m_job.fontSize = pointSize;
    }
    bool printLine(const QString &line) override {
        if (m_printed++ == m_job.failAtLine)
            return false;
        m_job.lines << line;
        return true;
    }
    bool endDocument() override {
        m_job.ended = true;
        return true;
    }

private:
    Job &m_job;
    int m_printed = 0;
};
