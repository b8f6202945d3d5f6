// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// meter-sim: the virtual meter. Plays a two-channel thermocouple meter on a pseudo-terminal
// so ThermoDesk can be run and tested without the hardware.

#include "simulator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void printUsage(std::FILE *out) {
    std::fputs("usage: meter-sim [--link PATH] [--script FILE] [--interval MS] [--quiet] [--help]\n"
               "\n"
               "Plays the thermocouple meter on a pseudo-terminal and prints the port path\n"
               "(/dev/pts/N) as the first line on stdout, and a new line after each replug.\n"
               "\n"
               "  --link PATH     keep PATH as a symlink to the current port\n"
               "  --script FILE   run the commands in FILE while frames keep flowing\n"
               "  --interval MS   time between live frames (default 500)\n"
               "  --quiet         no notes on stderr\n"
               "  --help          this text\n"
               "\n"
               "Keys on stdin: d dump, f °C/°F, j type J/K, m display mode, o T1 over-range,\n"
               "n T2 open, s silence, u unplug/replug, x noise, e erase memory, q quit, h help.\n"
               "Lines of more than one character on stdin are script commands.\n",
               out);
}

int usageError(const std::string &message) {
    std::fprintf(stderr, "meter-sim: %s\n", message.c_str());
    printUsage(stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    metersim::SimOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string value;
        bool hasValue = false;
        // Both "--name value" and "--name=value".
        if (const auto equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
            value = std::string(arg.substr(equals + 1));
            arg = arg.substr(0, equals);
            hasValue = true;
        }
        const auto takeValue = [&]() {
            if (!hasValue && i + 1 < argc) {
                value = argv[++i];
                hasValue = true;
            }
            return hasValue;
        };

        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        }
        if (arg == "--quiet" || arg == "-q") {
            options.quiet = true;
        } else if (arg == "--link") {
            if (!takeValue() || value.empty())
                return usageError("--link needs a path");
            options.linkPath = value;
        } else if (arg == "--script") {
            if (!takeValue() || value.empty())
                return usageError("--script needs a file");
            options.scriptPath = value;
        } else if (arg == "--interval") {
            if (!takeValue())
                return usageError("--interval needs a number of milliseconds");
            char *end = nullptr;
            const long ms = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || ms < 10 || ms > 60000)
                return usageError("--interval must be 10 to 60000 ms");
            options.intervalMs = static_cast<int>(ms);
        } else {
            return usageError("unknown option '" + std::string(arg) + "'");
        }
    }

    metersim::Simulator simulator(options);
    return simulator.run();
}
