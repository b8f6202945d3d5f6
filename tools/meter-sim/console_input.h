// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <termios.h>
#include <vector>

namespace metersim {

/// Reads keys and command lines from standard input.
///
/// From a pipe or file every line is one item. On a terminal in the foreground, keys act
/// without Enter, and ':' starts a command line that Enter finishes.
class ConsoleInput {
public:
    explicit ConsoleInput(int fd);
    ~ConsoleInput();
    ConsoleInput(const ConsoleInput &) = delete;
    ConsoleInput &operator=(const ConsoleInput &) = delete;

    enum class Start { Lines, Keys, Background, Closed };
    Start start();
    void restore();

    bool isOpen() const { return m_open; }
    int fd() const { return m_fd; }

    // Reads what is there; returns the finished items (single keys or whole lines).
    // At end of input it returns the last unfinished line and stops reading.
    std::vector<std::string> read();
    // Lines too long to keep that were dropped since the last call.
    std::size_t takeDroppedLines();

private:
    void takeKeys(const char *data, std::size_t size, std::vector<std::string> &items);
    void takeLines(const char *data, std::size_t size, std::vector<std::string> &items);
    void echo(const char *text) const;

    int m_fd = -1;
    bool m_open = false;
    bool m_keyMode = false;
    bool m_restoreNeeded = false;
    bool m_editing = false;  // a ':' command line is being typed
    bool m_overlong = false; // the current line is past the length limit
    std::size_t m_droppedLines = 0;
    termios m_saved{};
    std::string m_pending;
};

} // namespace metersim
