// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pty_line.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace metersim {

namespace {

std::string failure(const char *what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Raw 8N1 at 9600 baud, like the meter's line: no echo, no line editing, no translation.
bool makeRaw(int fd) {
    termios mode{};
    if (::tcgetattr(fd, &mode) != 0)
        return false;
    mode.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                           ICRNL | IXON | IXOFF);
    mode.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    mode.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
    mode.c_cflag |= CS8 | CLOCAL | CREAD;
    mode.c_cc[VMIN] = 1;
    mode.c_cc[VTIME] = 0;
    ::cfsetispeed(&mode, B9600);
    ::cfsetospeed(&mode, B9600);
    return ::tcsetattr(fd, TCSANOW, &mode) == 0;
}

} // namespace

PtyLine::~PtyLine() {
    close();
}

PtyLine::PtyLine(PtyLine &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_portPath(std::move(other.m_portPath)) {}

PtyLine &PtyLine::operator=(PtyLine &&other) noexcept {
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_portPath = std::move(other.m_portPath);
    }
    return *this;
}

bool PtyLine::open(std::string &error) {
    close();
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0) {
        error = failure("posix_openpt");
        return false;
    }
    auto fail = [&](const char *what) {
        error = failure(what);
        ::close(fd);
        return false;
    };
    if (::grantpt(fd) != 0)
        return fail("grantpt");
    if (::unlockpt(fd) != 0)
        return fail("unlockpt");
    const char *name = ::ptsname(fd);
    if (name == nullptr)
        return fail("ptsname");
    const std::string portPath = name;
    if (::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0)
        return fail("fcntl");
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0)
        return fail("fcntl");

    // Opening and closing the port once sets its mode, and also puts the master into the
    // hung-up state until a program opens the port, so hasListener() is right from the start.
    const int port = ::open(portPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (port < 0)
        return fail("open port");
    const bool raw = makeRaw(port);
    const int savedErrno = errno;
    ::close(port);
    if (!raw) {
        errno = savedErrno;
        return fail("tcsetattr");
    }

    m_fd = fd;
    m_portPath = portPath;
    return true;
}

void PtyLine::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_portPath.clear();
}

bool PtyLine::hasListener() const {
    if (m_fd < 0)
        return false;
    pollfd entry{m_fd, 0, 0};
    if (::poll(&entry, 1, 0) < 0)
        return false;
    return (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
}

PtyLine::WriteResult PtyLine::write(std::span<const std::uint8_t> bytes) {
    if (m_fd < 0)
        return {WriteStatus::Closed, 0};
    // Bytes written while nobody has the port open would reach the next program as a stale
    // burst; a real serial line loses them.
    if (!hasListener())
        return {WriteStatus::NoListener, 0};
    if (bytes.empty())
        return {WriteStatus::Sent, 0};
    ssize_t n = -1;
    do {
        n = ::write(m_fd, bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return {WriteStatus::Busy, 0};
        if (errno == EIO)
            return {WriteStatus::NoListener, 0};
        return {WriteStatus::Failed, 0};
    }
    const auto written = static_cast<std::size_t>(n);
    return {written == bytes.size() ? WriteStatus::Sent : WriteStatus::Partial, written};
}

std::vector<std::uint8_t> PtyLine::readAvailable() {
    std::vector<std::uint8_t> bytes;
    if (m_fd < 0)
        return bytes;
    std::uint8_t buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.insert(bytes.end(), buffer, buffer + n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: drained; EIO: the program closed the port
    }
    return bytes;
}

} // namespace metersim
