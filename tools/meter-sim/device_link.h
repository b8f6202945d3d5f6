// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace metersim {

/// A fixed path (e.g. /tmp/meter) kept as a symlink to the port the meter is plugged into.
class DeviceLink {
public:
    explicit DeviceLink(std::string path);
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    // Replaces the link in one step, so a program never finds the path missing or half made.
    bool pointTo(const std::string &target, std::string &error);
    // Removes the link if it is still ours.
    void remove();

    const std::string &path() const { return m_path; }

private:
    std::string m_path;
    bool m_present = false;
};

} // namespace metersim
