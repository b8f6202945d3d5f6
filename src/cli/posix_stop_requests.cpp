// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/posix_stop_requests.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
int g_sockets[2] = {-1, -1}; // [0] the handler writes, [1] the event loop reads
struct sigaction g_previous[std::size(Signals)];

void onSignal(int signal) {
    const int savedErrno = errno;
    const char number = char(signal);
    // Non-blocking: when the loop has not read the earlier ones yet, this one is dropped.
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[0], &number, 1);
    errno = savedErrno;
}

void restoreHandlers() {
    for (size_t i = 0; i < std::size(Signals); ++i)
        ::sigaction(Signals[i], &g_previous[i], nullptr);
}

QString signalName(int signal) {
    switch (signal) {
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signal);
    }
}

} // namespace

PosixStopRequests::PosixStopRequests(Handler handler, QObject *parent)
    : QObject(parent)
    , m_handler(std::move(handler)) {
    Q_ASSERT(g_sockets[0] < 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_sockets) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: a record line is never cut short by a signal.
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(Signals); ++i)
        ::sigaction(Signals[i], &action, &g_previous[i]);
    m_notifier = new QSocketNotifier(g_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PosixStopRequests::onReadable);
}

PosixStopRequests::~PosixStopRequests() {
    if (g_sockets[0] < 0)
        return;
    if (m_notifier)
        restoreHandlers();
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void PosixStopRequests::onReadable() {
    char number = 0;
    if (::read(g_sockets[1], &number, 1) != 1)
        return;
    // The stop is under way; a second signal is not held up by a stop that hangs.
    restoreHandlers();
    m_handler(signalName(number));
}
