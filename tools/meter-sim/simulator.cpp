// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "simulator.h"

#include "frame_encoder.h"
#include "stop_signal.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <poll.h>
#include <unistd.h>

namespace metersim {

namespace {

constexpr std::uint8_t kEraseByte = 'E';
constexpr int kEraseRunLength = 3;
constexpr std::size_t kNoiseSize = 12;
// While nobody has the port open, look for a program opening it this often.
constexpr int kListenerCheckMs = 100;
constexpr int kIdlePollMs = 1000;

const char *onOff(bool on) {
    return on ? "on" : "off";
}

} // namespace

Simulator::Simulator(SimOptions options)
    : m_options(std::move(options))
    , m_console(STDIN_FILENO)
    , m_model(std::random_device{}())
    , m_random(std::random_device{}()) {
    if (!m_options.linkPath.empty())
        m_link = std::make_unique<DeviceLink>(m_options.linkPath);
}

int Simulator::run() {
    std::string error;
    if (!m_options.scriptPath.empty() && !Script::load(m_options.scriptPath, m_script, error)) {
        std::fprintf(stderr, "meter-sim: %s\n", error.c_str());
        return 2;
    }
    if (!StopSignal::install(error) || !plug(error)) {
        std::fprintf(stderr, "meter-sim: %s\n", error.c_str());
        shutDown();
        return 1;
    }

    switch (m_console.start()) {
    case ConsoleInput::Start::Keys:
        note("keys act at once; h for help, ':' for a command line");
        break;
    case ConsoleInput::Start::Background:
        note("running in the background: not reading keys");
        break;
    case ConsoleInput::Start::Lines:
    case ConsoleInput::Start::Closed:
        break;
    }

    m_start = Clock::now();
    m_nextFrame = m_start;
    while (!m_quit) {
        const TimePoint now = Clock::now();
        runDue(m_script, now);
        runDue(m_consoleQueue, now);
        if (m_quit)
            break;
        watchListener();
        serviceDump(now);
        if (now >= m_nextFrame) {
            sendFrame(now);
            m_nextFrame += Millis(m_options.intervalMs);
            if (m_nextFrame <= now) // fell behind: keep the interval from now on
                m_nextFrame = now + Millis(m_options.intervalMs);
        }

        pollfd fds[3] = {};
        nfds_t count = 0;
        const auto watch = [&](int fd) {
            fds[count] = {fd, POLLIN, 0};
            return count++;
        };
        const nfds_t stopIndex = watch(StopSignal::fd());
        std::optional<nfds_t> consoleIndex;
        if (m_console.isOpen())
            consoleIndex = watch(m_console.fd());
        // A hung-up master polls readable all the time, so it is watched only with a listener.
        std::optional<nfds_t> lineIndex;
        if (m_plugged && m_listener)
            lineIndex = watch(m_line.fd());

        if (::poll(fds, count, pollTimeoutMs(Clock::now())) < 0)
            continue; // EINTR: a stop signal shows up on its pipe
        if (fds[stopIndex].revents != 0)
            break;
        if (consoleIndex && fds[*consoleIndex].revents != 0)
            readConsole();
        if (lineIndex && (fds[*lineIndex].revents & POLLIN) != 0)
            readLine();
    }

    shutDown();
    return 0;
}

bool Simulator::plug(std::string &error) {
    PtyLine line;
    if (!line.open(error))
        return false;
    // A new port number makes a program that kept the old path fail, as with a real replug;
    // only the link path follows the meter.
    if (line.portPath() == m_lastPortPath) {
        PtyLine other;
        if (!other.open(error))
            return false;
        line = std::move(other);
    }
    m_line = std::move(line);
    m_lastPortPath = m_line.portPath();
    if (m_link && !m_link->pointTo(m_line.portPath(), error)) {
        m_line.close();
        return false;
    }
    // The path goes out once the link is in place, so a reader can use either right away.
    std::fprintf(stdout, "%s\n", m_line.portPath().c_str());
    std::fflush(stdout);
    m_plugged = true;
    m_listener = false;
    m_eraseRun = 0;
    return true;
}

void Simulator::unplug() {
    m_dump.cancel();
    // The link goes first, so a program that sees the hang-up no longer finds the old port.
    if (m_link)
        m_link->remove();
    m_line.close();
    m_plugged = false;
    m_listener = false;
}

void Simulator::shutDown() {
    unplug();
    m_console.restore();
}

void Simulator::runDue(Script &queue, TimePoint now) {
    while (!m_quit) {
        std::optional<Command> command = queue.takeDue(now);
        if (!command)
            return;
        execute(*command, now);
    }
}

void Simulator::execute(const Command &command, TimePoint now) {
    const auto flag = [&](bool current) { return command.on.value_or(!current); };
    std::string error;
    switch (command.kind) {
    case CommandKind::Wait: { // the Script holds back what follows
        char text[48];
        std::snprintf(text, sizeof text, "wait %g s", command.seconds);
        note(text);
        break;
    }
    case CommandKind::Silence:
        m_silent = flag(m_silent);
        note(std::string("silence ") + onOff(m_silent));
        break;
    case CommandKind::TogglePlug:
    case CommandKind::Unplug:
    case CommandKind::Replug: {
        const bool wantPlugged = command.kind == CommandKind::TogglePlug
                                     ? !m_plugged
                                     : command.kind == CommandKind::Replug;
        if (wantPlugged == m_plugged) {
            note(m_plugged ? "already plugged in" : "already unplugged");
        } else if (!wantPlugged) {
            unplug();
            note("unplugged");
        } else if (plug(error)) {
            note("plugged in again on " + m_line.portPath());
        } else {
            note("replug failed: " + error);
        }
        break;
    }
    case CommandKind::Dump:
        startDump(now, command.stallAfter);
        break;
    case CommandKind::Unit:
        m_state.fahrenheit = flag(m_state.fahrenheit);
        note(std::string("unit ") + (m_state.fahrenheit ? "°F" : "°C"));
        break;
    case CommandKind::Type:
        m_state.typeJ = flag(m_state.typeJ);
        note(std::string("type ") + (m_state.typeJ ? "J" : "K"));
        break;
    case CommandKind::Mode:
        m_state.mode = command.mode.value_or(nextMode(m_state.mode));
        note(std::string("mode ") + modeName(m_state.mode) + ": " + modeDescription(m_state.mode));
        break;
    case CommandKind::OverRange:
        m_state.t1OverRange = flag(m_state.t1OverRange);
        note(std::string("T1 over-range ") + onOff(m_state.t1OverRange));
        break;
    case CommandKind::OpenT2:
        m_state.t2Open = flag(m_state.t2Open);
        note(std::string("T2 open thermocouple ") + onOff(m_state.t2Open));
        break;
    case CommandKind::Noise: {
        // Never 0x02 or 0xAA, so the noise cannot pass for the start of a frame or a marker.
        std::uniform_int_distribution<int> byte(0, 255);
        std::vector<std::uint8_t> noise;
        while (noise.size() < kNoiseSize) {
            const auto value = static_cast<std::uint8_t>(byte(m_random));
            if (value != kFrameStart && value != DumpSender::kMarkerByte)
                noise.push_back(value);
        }
        sendBytes(noise, "noise");
        break;
    }
    case CommandKind::EraseMemory:
        m_memory.clear();
        note("logger memory emptied");
        break;
    case CommandKind::SampleMemory:
        m_memory = LoggerMemory::withSampleSets();
        note("logger memory holds the 3 sample sets");
        break;
    case CommandKind::FullMemory:
        m_memory = LoggerMemory::full();
        note("logger memory full: " + std::to_string(m_memory.setCount()) + " sets");
        break;
    case CommandKind::Send:
        sendBytes(command.bytes, "send");
        break;
    case CommandKind::Help:
        printHelp();
        break;
    case CommandKind::Quit:
        note("quit");
        m_quit = true;
        break;
    }
}

void Simulator::sendFrame(TimePoint now) {
    if (!m_plugged || m_silent || m_dump.isActive())
        return;
    const std::time_t wall = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&wall, &local);
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const Frame frame =
        FrameEncoder::encode(m_state, m_model.sample(seconds), local.tm_hour, local.tm_min);
    // Frames nobody takes are dropped, as on a real line.
    m_line.write(frame);
}

void Simulator::startDump(TimePoint now, std::optional<std::size_t> stallAfter) {
    if (!m_plugged) {
        note("dump: unplugged, nothing sent");
        return;
    }
    if (m_dump.isActive()) {
        note("dump: already sending one");
        return;
    }
    std::vector<std::uint8_t> dump = m_memory.dumpBytes();
    const unsigned size = static_cast<unsigned>(dump[1]) << 8 | dump[2];
    note("dump: marker, then " + std::to_string(m_memory.setCount()) + " sets in " +
         std::to_string(dump.size()) + " bytes (size word " + std::to_string(size) + ")" +
         (stallAfter ? ", stalling after " + std::to_string(*stallAfter) + " bytes" : ""));
    m_dump.start(std::move(dump), now, stallAfter);
    serviceDump(now);
}

void Simulator::serviceDump(TimePoint now) {
    switch (m_dump.service(now, m_line)) {
    case DumpSender::Event::None:
    case DumpSender::Event::MarkerSent:
        break;
    case DumpSender::Event::Finished:
        note("dump: sent");
        break;
    case DumpSender::Event::Dropped:
        note("dump: dropped (nobody reading the port)");
        break;
    case DumpSender::Event::GaveUpStalled:
        note("dump: stalled, given up; live frames again");
        break;
    }
}

void Simulator::sendBytes(std::span<const std::uint8_t> bytes, const std::string &what) {
    if (!m_plugged) {
        note(what + ": unplugged, nothing sent");
        return;
    }
    const PtyLine::WriteResult result = m_line.write(bytes);
    switch (result.status) {
    case PtyLine::WriteStatus::Sent:
        note(what + ": " + std::to_string(result.written) + " bytes sent");
        break;
    case PtyLine::WriteStatus::Partial:
        note(what + ": only " + std::to_string(result.written) + " of " +
             std::to_string(bytes.size()) + " bytes sent");
        break;
    case PtyLine::WriteStatus::NoListener:
        note(what + ": nobody has the port open, nothing sent");
        break;
    case PtyLine::WriteStatus::Busy:
        note(what + ": port buffer full, nothing sent");
        break;
    case PtyLine::WriteStatus::Closed:
    case PtyLine::WriteStatus::Failed:
        note(what + ": write failed");
        break;
    }
}

void Simulator::watchListener() {
    const bool listener = m_plugged && m_line.hasListener();
    if (listener == m_listener)
        return;
    m_listener = listener;
    if (m_plugged)
        note(listener ? "a program opened the port" : "the program closed the port");
    if (listener) {
        m_eraseRun = 0;
        readLine(); // bytes the program wrote right after opening
    }
}

void Simulator::readLine() {
    for (const std::uint8_t byte : m_line.readAvailable()) {
        if (byte != kEraseByte) {
            m_eraseRun = 0;
            continue;
        }
        if (++m_eraseRun == kEraseRunLength) {
            m_eraseRun = 0;
            m_memory.clear();
            note("EEE received: logger memory emptied");
        }
    }
}

void Simulator::readConsole() {
    for (const std::string &item : m_console.read()) {
        ParsedLine parsed = parseLine(item);
        if (!parsed.error.empty())
            note(parsed.error);
        else if (parsed.command)
            m_consoleQueue.append(std::move(*parsed.command));
    }
    if (const std::size_t dropped = m_console.takeDroppedLines(); dropped > 0)
        note(std::to_string(dropped) + " overlong line(s) on stdin ignored");
    if (!m_console.isOpen())
        note("end of standard input; the meter goes on (stop it with a signal)");
}

int Simulator::pollTimeoutMs(TimePoint now) const {
    TimePoint wake = m_nextFrame;
    for (const std::optional<TimePoint> &due :
         {m_script.nextDue(), m_consoleQueue.nextDue(), m_dump.nextDue()}) {
        if (due)
            wake = std::min(wake, *due);
    }
    // Script::nextDue() says "now" with TimePoint::min(), so compare before subtracting.
    long long timeout = 0;
    if (wake > now)
        timeout = std::min<long long>(std::chrono::ceil<Millis>(wake - now).count(), kIdlePollMs);
    if (m_plugged && !m_listener)
        timeout = std::min<long long>(timeout, kListenerCheckMs);
    return static_cast<int>(timeout);
}

void Simulator::note(const std::string &text) const {
    if (!m_options.quiet)
        std::fprintf(stderr, "meter-sim: %s\n", text.c_str());
}

void Simulator::printHelp() const {
    std::fputs("meter-sim keys:\n"
               "  d  send a logger dump          f  toggle °C/°F\n"
               "  j  toggle type J/K             m  next display mode\n"
               "  o  toggle T1 over-range (OL)   n  toggle T2 open (----)\n"
               "  s  toggle silence              u  unplug / plug in again\n"
               "  x  send a burst of noise       e  empty the logger memory\n"
               "  q  quit                        h  this help\n"
               "In a terminal, ':' starts a command line (e.g. ':send 02 03'); from a pipe,\n"
               "every line of more than one character is a command.\n",
               stderr);
}

} // namespace metersim
