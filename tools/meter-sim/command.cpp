// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace metersim {

namespace {

std::string_view trim(std::string_view text) {
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    std::string word;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            if (!word.empty())
                result.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    if (!word.empty())
        result.push_back(word);
    return result;
}

Command make(CommandKind kind) {
    Command command;
    command.kind = kind;
    return command;
}

ParsedLine ok(Command command) {
    return {std::move(command), {}};
}
ParsedLine error(std::string text) {
    return {std::nullopt, std::move(text)};
}

// Two-way arguments such as on|off; `yes` (lower case) is the word that means true.
ParsedLine choice(CommandKind kind, const std::vector<std::string> &args, const char *yes,
                  const char *no, const char *usage) {
    if (args.size() == 2 && (args[1] == yes || args[1] == no)) {
        Command command = make(kind);
        command.on = args[1] == yes;
        return ok(command);
    }
    return error(std::string("usage: ") + usage);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Bytes as hex pairs, separated by spaces or not, each optionally written 0x..
ParsedLine parseSend(const std::vector<std::string> &args) {
    Command command = make(CommandKind::Send);
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::string_view hex = args[i];
        if (hex.starts_with("0x"))
            hex.remove_prefix(2);
        if (hex.empty() || hex.size() % 2 != 0)
            return error("send: bad hex bytes '" + args[i] + "'");
        for (std::size_t k = 0; k < hex.size(); k += 2) {
            const int high = hexDigit(hex[k]);
            const int low = hexDigit(hex[k + 1]);
            if (high < 0 || low < 0)
                return error("send: bad hex bytes '" + args[i] + "'");
            command.bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
        }
    }
    if (command.bytes.empty())
        return error("usage: send HEXBYTES");
    return ok(command);
}

ParsedLine parseWait(const std::vector<std::string> &args) {
    if (args.size() != 2)
        return error("usage: wait SECONDS");
    char *end = nullptr;
    const double seconds = std::strtod(args[1].c_str(), &end);
    if (end == args[1].c_str() || *end != '\0' || !std::isfinite(seconds) || seconds < 0 ||
        seconds > 1e6)
        return error("wait: bad number of seconds '" + args[1] + "'");
    Command command = make(CommandKind::Wait);
    command.seconds = seconds;
    return ok(command);
}

// "dump", or "dump stall N": a dump that stops after N bytes.
ParsedLine parseDump(const std::vector<std::string> &args) {
    Command command = make(CommandKind::Dump);
    if (args.size() == 1)
        return ok(command);
    if (args.size() == 3 && args[1] == "stall") {
        char *end = nullptr;
        const unsigned long long bytes = std::strtoull(args[2].c_str(), &end, 10);
        if (end != args[2].c_str() && *end == '\0' && args[2].front() != '-' && bytes <= 0xFFFFFF) {
            command.stallAfter = static_cast<std::size_t>(bytes);
            return ok(command);
        }
    }
    return error("usage: dump [stall BYTES]");
}

ParsedLine parseMode(const std::vector<std::string> &args) {
    if (args.size() == 2) {
        for (const DisplayMode mode :
             {DisplayMode::T1, DisplayMode::T2, DisplayMode::DiffT1, DisplayMode::DiffT2}) {
            if (args[1] == modeName(mode)) {
                Command command = make(CommandKind::Mode);
                command.mode = mode;
                return ok(command);
            }
        }
    }
    return error("usage: mode t1|t2|diff-t1|diff-t2");
}

ParsedLine parseCommand(std::string_view line) {
    const std::vector<std::string> args = words(line);
    const std::string &name = args.front();
    const auto single = [&](CommandKind kind) {
        return args.size() == 1 ? ok(make(kind)) : error(name + " takes no argument");
    };

    if (name == "wait")
        return parseWait(args);
    if (name == "silence")
        return choice(CommandKind::Silence, args, "on", "off", "silence on|off");
    if (name == "unplug")
        return single(CommandKind::Unplug);
    if (name == "replug")
        return single(CommandKind::Replug);
    if (name == "dump")
        return parseDump(args);
    if (name == "unit")
        return choice(CommandKind::Unit, args, "f", "c", "unit C|F");
    if (name == "type")
        return choice(CommandKind::Type, args, "j", "k", "type J|K");
    if (name == "mode")
        return parseMode(args);
    if (name == "overrange")
        return choice(CommandKind::OverRange, args, "on", "off", "overrange on|off");
    if (name == "open-t2")
        return choice(CommandKind::OpenT2, args, "on", "off", "open-t2 on|off");
    if (name == "noise")
        return single(CommandKind::Noise);
    if (name == "erase")
        return single(CommandKind::EraseMemory);
    if (name == "send")
        return parseSend(args);
    if (name == "memory") {
        if (args.size() == 2 && args[1] == "empty")
            return ok(make(CommandKind::EraseMemory));
        if (args.size() == 2 && args[1] == "sample")
            return ok(make(CommandKind::SampleMemory));
        if (args.size() == 2 && args[1] == "full")
            return ok(make(CommandKind::FullMemory));
        return error("usage: memory empty|sample|full");
    }
    if (name == "help")
        return single(CommandKind::Help);
    if (name == "quit")
        return single(CommandKind::Quit);
    return error("unknown command '" + name + "'");
}

} // namespace

ParsedLine parseLine(std::string_view line) {
    if (const auto hash = line.find('#'); hash != std::string_view::npos)
        line = line.substr(0, hash);
    line = trim(line);
    if (line.empty())
        return {};
    if (line.size() == 1) {
        if (auto command = commandForKey(line.front()))
            return ok(*command);
        return error(std::string("unknown key '") + line.front() + "' (h for help)");
    }
    return parseCommand(line);
}

std::optional<Command> commandForKey(char key) {
    switch (key) {
    case 'd':
        return make(CommandKind::Dump);
    case 'f':
        return make(CommandKind::Unit);
    case 'j':
        return make(CommandKind::Type);
    case 'm':
        return make(CommandKind::Mode);
    case 'o':
        return make(CommandKind::OverRange);
    case 'n':
        return make(CommandKind::OpenT2);
    case 's':
        return make(CommandKind::Silence);
    case 'u':
        return make(CommandKind::TogglePlug);
    case 'x':
        return make(CommandKind::Noise);
    case 'e':
        return make(CommandKind::EraseMemory);
    case 'q':
        return make(CommandKind::Quit);
    case 'h':
    case '?':
        return make(CommandKind::Help);
    default:
        return std::nullopt;
    }
}

} // namespace metersim
