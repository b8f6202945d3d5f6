// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stop_signal.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace metersim {

namespace {

int g_pipe[2] = {-1, -1};

extern "C" void onStopSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

bool StopSignal::install(std::string &error) {
    if (::pipe(g_pipe) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    for (const int fd : g_pipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        if (::sigaction(signal, &action, nullptr) != 0) {
            error = std::string("sigaction: ") + std::strerror(errno);
            return false;
        }
    }
    // A reader of stdout that went away must not kill the sim.
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int StopSignal::fd() {
    return g_pipe[0];
}

} // namespace metersim
