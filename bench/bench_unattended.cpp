// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Unattended logging's cost: `thermodesk --record` at one sample a second against the
// virtual meter, measured from outside through /proc over a minute (BENCH_SECONDS).

#include "bench_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

namespace {

// User plus system time of a process so far, in seconds.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    // utime and stime are fields 14 and 15 of the whole line, 12 and 13 here.
    return (fields.at(11).toLongLong() + fields.at(12).toLongLong()) /
           double(::sysconf(_SC_CLK_TCK));
}

// A "VmHWM:   12345 kB" line of /proc/PID/status, in bytes.
qint64 statusBytes(qint64 pid, const QByteArray &name) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').constFirst().toLongLong() * 1024;
    }
    return -1;
}

QString mib(qint64 bytes) {
    return QString::number(bytes / 1048576.0, 'f', 1) + " MiB";
}

// Record lines of a recording file: its lines less the heading.
int recordLines(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) - 1 : -1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int seconds = qEnvironmentVariableIsSet("BENCH_SECONDS")
                            ? qEnvironmentVariableIntValue("BENCH_SECONDS")
                            : 60;
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("meter"));
    const QString file = dir.filePath(QStringLiteral("unattended.rdg"));

    QProcess meter;
    meter.start(QStringLiteral(METER_SIM_PATH), {"--link", link, "--quiet"});
    for (int i = 0; i < 50 && !QFileInfo::exists(link); ++i)
        QThread::msleep(100);

    // As on a board without a desktop: no display, settings of its own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(THERMODESK_PATH),
                  {"--record", file, "--port", "COM1=" + link, "--quiet"});
    if (!QFileInfo::exists(link) || !program.waitForStarted()) {
        std::fprintf(stderr, "cannot start the virtual meter or thermodesk\n");
        return 1;
    }
    const qint64 pid = program.processId();

    // Measured once the recording runs: the start-up is not what a day of logging costs.
    for (int i = 0; i < 100 && recordLines(file) < 1; ++i)
        QThread::msleep(100);
    const int recordsBefore = recordLines(file);
    const double cpuBefore = cpuSeconds(pid);
    QElapsedTimer elapsed;
    elapsed.start();
    QThread::sleep(seconds);
    const double cpu = cpuSeconds(pid) - cpuBefore;
    const double wall = elapsed.nsecsElapsed() / 1e9;
    const qint64 peak = statusBytes(pid, "VmHWM");
    const qint64 resident = statusBytes(pid, "VmRSS");
    const int recordsDuring = recordLines(file) - recordsBefore;

    program.terminate();
    const bool stopped = program.waitForFinished(10000) &&
                         program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
    meter.terminate();
    meter.waitForFinished(3000);

    const double share = cpu / wall * 100;
    std::printf("Unattended logging: thermodesk --record at 1 s against the virtual meter "
                "(frames every 500 ms), %.0f s measured\n\n",
                wall);
    bench::header();
    bench::row("CPU time (user + system)", QString::number(cpu, 'f', 2) + " s", "", true);
    bench::row("CPU share of one core", QString::number(share, 'f', 3) + " %", "< 0.5 %",
               share < 0.5);
    bench::row("peak resident memory (VmHWM)", mib(peak), "< 30 MiB", peak < 30 * 1048576);
    bench::row("resident memory at the end (VmRSS)", mib(resident), "", true);
    bench::row("records written while measured", QString::number(recordsDuring), "", true);

    const bool sound = stopped && cpuBefore >= 0 && peak > 0 && recordsDuring >= seconds - 2;
    std::printf("\nstopped cleanly by SIGTERM: %s\n", stopped ? "yes" : "NO");
    return sound ? 0 : 1;
}
