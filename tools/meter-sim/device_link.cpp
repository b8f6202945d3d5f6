// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "device_link.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace metersim {

namespace {

bool isSymlink(const std::string &path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool exists(const std::string &path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

DeviceLink::DeviceLink(std::string path)
    : m_path(std::move(path)) {}

DeviceLink::~DeviceLink() {
    remove();
}

bool DeviceLink::pointTo(const std::string &target, std::string &error) {
    // Never replace a file or folder that someone else put there.
    if (exists(m_path) && !isSymlink(m_path)) {
        error = m_path + " exists and is not a symlink";
        return false;
    }
    const std::string temp = m_path + ".tmp-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(target.c_str(), temp.c_str()) != 0) {
        error = "symlink " + temp + ": " + std::strerror(errno);
        return false;
    }
    if (::rename(temp.c_str(), m_path.c_str()) != 0) {
        error = "rename " + temp + " to " + m_path + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    m_present = true;
    return true;
}

void DeviceLink::remove() {
    if (m_present && isSymlink(m_path))
        ::unlink(m_path.c_str());
    m_present = false;
}

} // namespace metersim
