// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "console_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace metersim {

namespace {

// Long enough for a `send` of several kilobytes; longer lines are dropped, never cut short.
constexpr std::size_t kMaxLine = 256 * 1024;

} // namespace

ConsoleInput::ConsoleInput(int fd)
    : m_fd(fd) {}

ConsoleInput::~ConsoleInput() {
    restore();
}

ConsoleInput::Start ConsoleInput::start() {
    if (::fcntl(m_fd, F_GETFL) < 0) {
        m_open = false;
        return Start::Closed;
    }
    m_open = true;
    if (!::isatty(m_fd))
        return Start::Lines;
    // A background job that reads or sets its controlling terminal gets stopped, so leave it
    // alone. (A terminal that is not the controlling one has no foreground group.)
    const pid_t foreground = ::tcgetpgrp(m_fd);
    if (foreground >= 0 && foreground != ::getpgrp()) {
        m_open = false;
        return Start::Background;
    }
    if (::tcgetattr(m_fd, &m_saved) != 0)
        return Start::Lines;
    termios keys = m_saved;
    keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    keys.c_cc[VMIN] = 1;
    keys.c_cc[VTIME] = 0;
    if (::tcsetattr(m_fd, TCSANOW, &keys) != 0)
        return Start::Lines;
    m_restoreNeeded = true;
    m_keyMode = true;
    return Start::Keys;
}

void ConsoleInput::restore() {
    if (m_restoreNeeded)
        ::tcsetattr(m_fd, TCSANOW, &m_saved);
    m_restoreNeeded = false;
}

std::vector<std::string> ConsoleInput::read() {
    std::vector<std::string> items;
    if (!m_open)
        return items;
    char buffer[256];
    const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK))
        return items;
    if (n <= 0) {
        // End of input only stops reading; the meter goes on.
        if (m_overlong)
            ++m_droppedLines;
        else if (!m_keyMode && !m_pending.empty())
            items.push_back(m_pending);
        m_pending.clear();
        m_open = false;
        return items;
    }
    const auto size = static_cast<std::size_t>(n);
    if (m_keyMode)
        takeKeys(buffer, size, items);
    else
        takeLines(buffer, size, items);
    return items;
}

std::size_t ConsoleInput::takeDroppedLines() {
    return std::exchange(m_droppedLines, 0);
}

void ConsoleInput::takeLines(const char *data, std::size_t size, std::vector<std::string> &items) {
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            if (m_overlong)
                ++m_droppedLines;
            else
                items.push_back(m_pending);
            m_pending.clear();
            m_overlong = false;
        } else if (m_pending.size() < kMaxLine) {
            m_pending.push_back(data[i]);
        } else {
            m_overlong = true;
        }
    }
}

void ConsoleInput::takeKeys(const char *data, std::size_t size, std::vector<std::string> &items) {
    for (std::size_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (!m_editing) {
            if (c == ':') {
                m_editing = true;
                echo(":");
            } else if (c != '\n' && c != '\r' && c != ' ' && c != '\t') {
                items.emplace_back(1, c);
            }
            continue;
        }
        if (c == '\n' || c == '\r') {
            echo("\n");
            if (!m_pending.empty())
                items.push_back(m_pending);
            m_pending.clear();
            m_editing = false;
        } else if (c == 0x7F || c == '\b') {
            if (!m_pending.empty()) {
                m_pending.pop_back();
                echo("\b \b");
            }
        } else if (c == 0x1B) { // Esc drops the line
            echo(" (dropped)\n");
            m_pending.clear();
            m_editing = false;
        } else if (m_pending.size() < kMaxLine) {
            m_pending.push_back(c);
            const char text[2] = {c, '\0'};
            echo(text);
        }
    }
}

void ConsoleInput::echo(const char *text) const {
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, text, std::strlen(text));
}

} // namespace metersim
