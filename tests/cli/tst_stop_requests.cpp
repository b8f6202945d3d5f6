// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/native_stop_requests.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <functional>
#include <thread>

#if defined(Q_OS_WIN)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

using Request = std::function<void()>;

// Whether the system's call that delivered the request has returned.
std::atomic<bool> g_systemReturned = true;

} // namespace

Q_DECLARE_METATYPE(Request)

// The system's requests to stop a run without a window, as the system delivers them: each
// reaches the handler once, by its name, on the event loop's thread.
class TestStopRequests : public QObject {
    Q_OBJECT

private slots:
    void deliversEachRequest_data();
    void deliversEachRequest();
#if defined(Q_OS_WIN)
    void aSecondConsoleEventIsNotTaken();
#endif
};

void TestStopRequests::deliversEachRequest_data() {
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("systemWaits"); // the system's call returns only once stopped
#if defined(Q_OS_WIN)
    // The console's events come on a thread of the system's: one of ours here. After the
    // console closing, logoff and shutdown the system ends the process once the handler
    // returns, so the handler must not return before the run has stopped.
    const auto consoleEvent = [](DWORD event) {
        return Request([event] {
            g_systemReturned = false;
            std::thread system([event] {
                Win32StopRequests::onConsoleEvent(event);
                g_systemReturned = true;
            });
            system.detach();
        });
    };
    QTest::newRow("Ctrl+C") << consoleEvent(CTRL_C_EVENT) << "Ctrl+C" << false;
    QTest::newRow("Ctrl+Break") << consoleEvent(CTRL_BREAK_EVENT) << "Ctrl+Break" << false;
    QTest::newRow("console closed")
        << consoleEvent(CTRL_CLOSE_EVENT) << "closing the console" << true;
    QTest::newRow("console logoff") << consoleEvent(CTRL_LOGOFF_EVENT) << "logoff" << true;
    QTest::newRow("console shutdown") << consoleEvent(CTRL_SHUTDOWN_EVENT) << "shutdown" << true;
    // What a program with windows gets instead, on its own thread, when the session ends.
    const auto windowMessage = [](UINT message, WPARAM w, LPARAM l) {
        return Request([message, w, l] {
            const HWND window = ::FindWindowW(L"ThermoDeskEndSession", nullptr);
            QVERIFY(window);
            ::SendMessageW(window, message, w, l);
        });
    };
    QTest::newRow("logoff") << windowMessage(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF) << "logoff"
                            << false;
    QTest::newRow("shutdown") << windowMessage(WM_ENDSESSION, TRUE, 0) << "shutdown" << false;
    QTest::newRow("taskkill") << windowMessage(WM_CLOSE, 0, 0) << "WM_CLOSE" << false;
#else
    const auto signal = [](int number) { return Request([number] { ::raise(number); }); };
    QTest::newRow("SIGINT") << signal(SIGINT) << "SIGINT" << false;
    QTest::newRow("SIGTERM") << signal(SIGTERM) << "SIGTERM" << false;
    QTest::newRow("SIGHUP") << signal(SIGHUP) << "SIGHUP" << false;
#endif
}

void TestStopRequests::deliversEachRequest() {
    QFETCH(Request, request);
    QFETCH(bool, systemWaits);

    QStringList names;
    bool onLoopThread = true;
    bool systemReturnedFirst = false;
    NativeStopRequests requests([&](const QString &name) {
        names << name;
        onLoopThread = onLoopThread && QThread::currentThread() == thread();
        systemReturnedFirst = g_systemReturned;
    });
    QVERIFY(requests.isValid());

    request();
    QTRY_VERIFY_WITH_TIMEOUT(!names.isEmpty(), 5000);
    QTEST(names.constFirst(), "name");
    QVERIFY(onLoopThread);
    if (systemWaits)
        QVERIFY2(!systemReturnedFirst, "the system's call returned before the run stopped");
    QTRY_VERIFY_WITH_TIMEOUT(g_systemReturned, 5000);
    QCoreApplication::processEvents();
    QCOMPARE(names.size(), 1);
}

#if defined(Q_OS_WIN)
void TestStopRequests::aSecondConsoleEventIsNotTaken() {
    int calls = 0;
    Win32StopRequests requests([&](const QString &) { ++calls; });
    QVERIFY(Win32StopRequests::onConsoleEvent(CTRL_C_EVENT));
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);
    // The system's own handling (the end of the program) takes the second one.
    QVERIFY(!Win32StopRequests::onConsoleEvent(CTRL_BREAK_EVENT));
    QCoreApplication::processEvents();
    QCOMPARE(calls, 1);
}
#endif

QTEST_GUILESS_MAIN(TestStopRequests)
#include "tst_stop_requests.moc"
