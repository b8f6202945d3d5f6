// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/image_printer.h"

#include <functional>

// A printer of pictures scripted and recorded through a job the test owns.
class FakeImagePrinter : public ImagePrinter {
public:
    struct Job {
        bool cancelDialog = false;
        bool failPrinting = false;
        // Runs while the printer chooser is open, as events do.
        std::function<void()> onDialog;
        // Runs while the picture is printed: what the window looks like meanwhile.
        std::function<void()> onPrint;

        int dialogs = 0;
        int printed = 0;
        const Surface *surface = nullptr;
    };

    explicit FakeImagePrinter(Job &job)
        : m_job(job) {}

    bool choosePrinter() override {
        ++m_job.dialogs;
        if (m_job.onDialog)
            m_job.onDialog();
        return !m_job.cancelDialog;
    }
    bool printImage(const Surface &surface) override {
        if (m_job.onPrint)
            m_job.onPrint();
        if (m_job.failPrinting)
            return false;
        ++m_job.printed;
        m_job.surface = &surface;
        return true;
    }

private:
    Job &m_job;
};
