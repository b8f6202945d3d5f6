// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace metersim {

/// The meter's end of the serial line: the master side of a pseudo-terminal.
class PtyLine {
public:
    enum class WriteStatus {
        Sent,       // all bytes went out
        Partial,    // the line buffer took only some of them
        Busy,       // the line buffer is full: the program is not reading
        NoListener, // no program has the port open; bytes would pile up for nobody
        Closed,     // unplugged
        Failed,
    };
    struct WriteResult {
        WriteStatus status = WriteStatus::Closed;
        std::size_t written = 0;
    };

    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine &) = delete;
    PtyLine &operator=(const PtyLine &) = delete;
    PtyLine(PtyLine &&other) noexcept;
    PtyLine &operator=(PtyLine &&other) noexcept;

    // Opens a new pseudo-terminal with its port set to raw 9600 baud.
    bool open(std::string &error);
    // Closing the master makes the program on the port see a hang-up.
    void close();

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    const std::string &portPath() const { return m_portPath; }

    // True while some program has the port open.
    bool hasListener() const;

    // One write() that never blocks.
    WriteResult write(std::span<const std::uint8_t> bytes);

    // Everything the program sent so far.
    std::vector<std::uint8_t> readAvailable();

private:
    int m_fd = -1;
    std::string m_portPath;
};

} // namespace metersim
