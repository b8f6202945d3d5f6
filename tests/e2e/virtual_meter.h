#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
