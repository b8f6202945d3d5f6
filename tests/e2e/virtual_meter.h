// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#if defined(Q_OS_WIN)

// The virtual meter of a test under Wine: it runs on the build machine, started by the
// test's runner (tests/wine/run-test.sh), on the port the environment names
// (THERMODESK_TEST_METER, "COM1"); commands reach it as lines "meter: COMMAND" on standard
// output, which the runner hands on.
class VirtualMeter {
public:
    bool start() {
        m_link = qEnvironmentVariable("THERMODESK_TEST_METER");
        if (m_link.isEmpty())
            qWarning("no virtual meter: run this test through tests/wine/run-test.sh --meter");
        return !m_link.isEmpty();
    }
    // The port the meter is on.
    QString link() const { return m_link; }
    void tell(const char *command) {
        std::printf("meter: %s\n", command);
        std::fflush(stdout);
    }

private:
    QString m_link;
};

#else

// The virtual meter as a child process on a pseudo-terminal, reached through a link in a
// folder of its own; commands go to its standard input. It quits with the object.
class VirtualMeter {
public:
    VirtualMeter() = default;
    VirtualMeter(const VirtualMeter &) = delete;
    VirtualMeter &operator=(const VirtualMeter &) = delete;
    ~VirtualMeter() {
        if (m_sim.state() == QProcess::NotRunning)
            return;
        tell("quit");
        if (!m_sim.waitForFinished(3000))
            m_sim.kill();
        m_sim.waitForFinished(1000);
    }

    // Starts it with a frame every 300 ms; true once its link is there.
    bool start() {
        if (!m_dir.isValid())
            return false;
        m_link = m_dir.filePath(QStringLiteral("meter"));
        m_sim.setProgram(QStringLiteral(METER_SIM_PATH));
        m_sim.setArguments({"--link", m_link, "--quiet", "--interval", "300"});
        m_sim.start();
        return m_sim.waitForStarted() &&
               QTest::qWaitFor([this] { return QFileInfo::exists(m_link); }, 5000);
    }
    // The path that leads to the meter's current port.
    QString link() const { return m_link; }
    // One command line of the virtual meter: "dump", "unplug", "silence on", ...
    void tell(const char *command) {
        m_sim.write(QByteArray(command) + '\n');
        m_sim.waitForBytesWritten(1000);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_link;
};

#endif
