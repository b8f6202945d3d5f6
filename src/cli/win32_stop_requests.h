// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/stop_requests.h"

#include <QObject>

// Ctrl+C, Ctrl+Break, the console window closing, logoff and shutdown as requests to stop,
// and WM_CLOSE, which "taskkill" (without /F) sends.
// The console's events come on a thread of the system's and are handed to the event loop;
// after the console closing, logoff and shutdown the system ends the process, so for those
// the thread waits (a few seconds at most) until the handler has stopped the run. A program
// that loads the window libraries, as every Qt program does, hears of logoff and shutdown
// as window messages only: a hidden window of its own takes them.
class Win32StopRequests : public QObject, public StopRequests {
    Q_OBJECT

public:
    // How long the system's thread waits for the stop before it lets the system go on.
    static constexpr unsigned long StopWaitMs = 4000;

    explicit Win32StopRequests(Handler handler, QObject *parent = nullptr);
    // Takes the handlers away again.
    ~Win32StopRequests() override;

    bool isValid() const override { return m_valid; }
    QString names() const override {
        return QStringLiteral("Ctrl+C, Ctrl+Break, closing the console, logoff, shutdown "
                              "and WM_CLOSE");
    }

    // What the console's handler does with an event (CTRL_C_EVENT, CTRL_CLOSE_EVENT, ...),
    // on the thread the system calls it on: true when it was taken as a request.
    static bool onConsoleEvent(unsigned long event);
    // The hidden window that takes WM_QUERYENDSESSION, WM_ENDSESSION and WM_CLOSE (an
    // HWND); null where no window can be made.
    void *endSessionWindow() const { return m_window; }

private:
    friend struct Win32StopRequestsAccess;
    // Calls the handler once, on the event loop's thread; false when a request came before.
    bool deliver(const QString &name);

    Handler m_handler;
    void *m_window = nullptr;
    bool m_valid = false;
    bool m_delivered = false;
};
