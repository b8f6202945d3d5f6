// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/win32_stop_requests.h"

#include <QMetaObject>

#include <atomic>
#include <mutex>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace {

const wchar_t WindowClass[] = L"ThermoDeskEndSession";

// The console's handler runs on a thread of the system's; the instance it reaches is
// guarded, so that it never reaches one being destroyed.
std::mutex g_lock;
Win32StopRequests *g_instance = nullptr;
// Set once the handler has run for a request, for the events after which the process ends.
HANDLE g_delivered = nullptr;
std::atomic<bool> g_requested = false;

QString consoleEventName(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        return QStringLiteral("Ctrl+C");
    case CTRL_BREAK_EVENT:
        return QStringLiteral("Ctrl+Break");
    case CTRL_CLOSE_EVENT:
        return QStringLiteral("closing the console");
    case CTRL_LOGOFF_EVENT:
        return QStringLiteral("logoff");
    case CTRL_SHUTDOWN_EVENT:
        return QStringLiteral("shutdown");
    default:
        return {};
    }
}

BOOL WINAPI consoleHandler(DWORD event) {
    return Win32StopRequests::onConsoleEvent(event) ? TRUE : FALSE;
}

} // namespace

// The hidden window's messages, on the event loop's thread.
struct Win32StopRequestsAccess {
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
        switch (message) {
        case WM_QUERYENDSESSION:
            return TRUE; // the run stops when the session really ends
        case WM_CLOSE:
            // What "taskkill" without /F sends to a process's windows, as SIGTERM elsewhere.
            if (auto *self = reinterpret_cast<Win32StopRequests *>(
                    ::GetWindowLongPtrW(window, GWLP_USERDATA)))
                self->deliver(QStringLiteral("WM_CLOSE"));
            return 0;
        case WM_ENDSESSION:
            if (w) {
                auto *self = reinterpret_cast<Win32StopRequests *>(
                    ::GetWindowLongPtrW(window, GWLP_USERDATA));
                // The process may end as soon as this returns: the stop happens here.
                if (self)
                    self->deliver((l & ENDSESSION_LOGOFF) ? QStringLiteral("logoff")
                                                          : QStringLiteral("shutdown"));
            }
            return 0;
        default:
            return ::DefWindowProcW(window, message, w, l);
        }
    }
};

Win32StopRequests::Win32StopRequests(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler)) {
    {
        const std::lock_guard lock(g_lock);
        Q_ASSERT(!g_instance);
        g_instance = this;
        g_requested = false;
        if (!g_delivered)
            g_delivered = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        ::ResetEvent(g_delivered);
    }
    m_valid = ::SetConsoleCtrlHandler(consoleHandler, TRUE) != 0;

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Win32StopRequestsAccess::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = WindowClass;
    ::RegisterClassExW(&windowClass); // fails harmlessly when it is registered already
    // A top-level window, never shown: a message-only window hears no end of the session.
    HWND window = ::CreateWindowExW(0, WindowClass, L"ThermoDesk", WS_OVERLAPPED, 0, 0, 0, 0,
                                    nullptr, nullptr, instance, nullptr);
    if (window)
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_window = window;
}

Win32StopRequests::~Win32StopRequests() {
    ::SetConsoleCtrlHandler(consoleHandler, FALSE);
    if (m_window)
        ::DestroyWindow(static_cast<HWND>(m_window));
    const std::lock_guard lock(g_lock);
    g_instance = nullptr;
    // A thread of the system's still waiting goes on at once.
    ::SetEvent(g_delivered);
}

bool Win32StopRequests::onConsoleEvent(unsigned long event) {
    const QString name = consoleEventName(event);
    if (name.isEmpty() || g_requested.exchange(true))
        return false; // not ours, or a second request: the system's own handling ends the program
    {
        const std::lock_guard lock(g_lock);
        if (!g_instance)
            return false;
        Win32StopRequests *instance = g_instance;
        QMetaObject::invokeMethod(
            instance, [instance, name] { instance->deliver(name); }, Qt::QueuedConnection);
    }
    // After these the system ends the process once the handler returns.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(g_delivered, StopWaitMs);
    return true;
}

bool Win32StopRequests::deliver(const QString &name) {
    if (m_delivered)
        return false;
    m_delivered = true;
    g_requested = true;
    m_handler(name);
    ::SetEvent(g_delivered);
    return true;
}
