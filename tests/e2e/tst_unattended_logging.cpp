// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "e2e/virtual_meter.h"
#include "fakes/file_checks.h"
#include "fakes/small_disk.h"
#include "fakes/system_texts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "record 3  2026/12/10 14:03:05  T1 25.3  T2 22.1  T1-T2 3.2  °C"
const QRegularExpression StatusLine(
    QStringLiteral("^record (\\d+)  (\\S+ \\S+)  T1 (\\S+)  T2 (\\S+)  T1-T2 (\\S+)  (\\S+)$"));
// "recording K °C every 1 s into /path"
const QRegularExpression StartLine(QStringLiteral("^recording (\\S+) (\\S+) every"));

#if defined(Q_OS_WIN)
// What QProcess::terminate() sends: WM_CLOSE, as "taskkill" does.
const QString TerminateName = QStringLiteral("WM_CLOSE");
#else
const QString TerminateName = QStringLiteral("SIGTERM");
#endif

QByteArray windows1252(const QString &text) {
    QByteArray bytes;
    for (const QChar c : text)
        bytes += char(c.unicode() < 256 ? c.unicode() : '?');
    return bytes;
}

// The record file the status lines on standard error announce, byte for byte.
QByteArray fileAnnouncedBy(const QStringList &lines) {
    QByteArray file;
    for (const QString &line : lines) {
        if (const auto start = StartLine.match(line); start.hasMatch())
            file += windows1252(start.captured(1) + " Type " + start.captured(2) +
                                "\t     Date Time    \tT1\tT2\tT1-T2\t\r\n");
        if (const auto status = StatusLine.match(line); status.hasMatch()) {
            for (int field = 1; field <= 5; ++field)
                file += windows1252(status.captured(field)) + '\t';
            file += "\r\n";
        }
    }
    return file;
}

} // namespace

// `thermodesk --record` as a user runs it, without any display, against the virtual meter:
// stopped by a signal, through an unplugged meter, refusing what it must refuse, and
// remembering the port mappings between runs.
class TestUnattendedLogging : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sigtermLeavesACompleteFile();
    void followsAnUnpluggedMeter();
    void refused_data();
    void refused();
    void fullDiskIsToldAndEnds();
    void portMappingsAreRemembered();

private:
    // Starts thermodesk with the arguments; its standard error collects in m_stderr.
    void start(const QStringList &arguments);
    // Waits for the run to end; false when it did not within the time.
    bool finish(int timeoutMs = 20000);
    QStringList stderrLines() const;
    int recordsAnnounced() const;
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString settingsFile() const {
#if defined(Q_OS_WIN)
        // In the user's roaming folder: Windows has no variable that moves it.
        return QSettings(QSettings::IniFormat, QSettings::UserScope, "ThermoDesk", "ThermoDesk")
            .fileName();
#else
        return m_config.filePath(QStringLiteral("ThermoDesk/ThermoDesk.conf"));
#endif
    }
    // How the program names the meter's port: "COM1 (/tmp/x/meter)"; on Windows the port
    // is the system's own COM1.
    QString portLabel() const {
        return m_meter.link() == QLatin1String("COM1")
                   ? QStringLiteral("COM1")
                   : QStringLiteral("COM1 (%1)").arg(m_meter.link());
    }
    static QString native(const QString &path) {
        return QDir::toNativeSeparators(path);
    }

    QTemporaryDir m_dir;
    QTemporaryDir m_config;
    VirtualMeter m_meter;
    QProcess m_program;
    QByteArray m_stderr;
};

void TestUnattendedLogging::initTestCase() {
    QVERIFY(m_dir.isValid() && m_config.isValid());
    QVERIFY(m_meter.start());

    // No display at all, and the settings in a folder of the test's own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    m_program.setProcessEnvironment(env);
    m_program.setProgram(QStringLiteral(THERMODESK_PATH));
    connect(&m_program, &QProcess::readyReadStandardError, this,
            [this] { m_stderr += m_program.readAllStandardError(); });
}

void TestUnattendedLogging::init() {
    QFile::remove(settingsFile());
}

void TestUnattendedLogging::start(const QStringList &arguments) {
    m_stderr.clear();
    m_program.setArguments(arguments);
    m_program.start();
    QVERIFY(m_program.waitForStarted());
}

bool TestUnattendedLogging::finish(int timeoutMs) {
    if (!m_program.waitForFinished(timeoutMs)) {
        m_program.kill();
        m_program.waitForFinished();
        return false;
    }
    m_stderr += m_program.readAllStandardError();
    return true;
}

QStringList TestUnattendedLogging::stderrLines() const {
    // Lines end in CR LF on Windows, as text there does.
    return QString::fromUtf8(m_stderr)
        .remove(QLatin1Char('\r'))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int TestUnattendedLogging::recordsAnnounced() const {
    const QStringList lines = stderrLines();
    return int(std::count_if(lines.begin(), lines.end(), [](const QString &line) {
        return StatusLine.match(line).hasMatch();
    }));
}

void TestUnattendedLogging::sigtermLeavesACompleteFile() {
    const QString file = path(QStringLiteral("term.rdg"));
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    start({"--record", file, "--port", "COM1=" + m_meter.link()});
    QTRY_VERIFY_WITH_TIMEOUT(recordsAnnounced() >= 3, 15000);
    m_program.terminate(); // SIGTERM; WM_CLOSE on Windows
    QVERIFY(finish());
    QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program.exitCode(), 0);

    // The file is exactly what was announced, every line whole.
    const QStringList lines = stderrLines();
    const QByteArray bytes = fileBytes(file);
    QCOMPARE(bytes, fileAnnouncedBy(lines));
    QVERIFY(bytes.endsWith("\t\r\n"));
    const int records = recordsAnnounced();
    QVERIFY(records >= 3);
    QCOMPARE(lines.constFirst(), "waiting for the meter on " + portLabel());
    QCOMPARE(lines.constLast(), QStringLiteral("stopped by %1: %2 records in %3")
                                    .arg(TerminateName)
                                    .arg(records)
                                    .arg(native(file)));
    // Record numbers count from 1; stamps are this run's, a second apart or more.
    QDateTime previous = started;
    for (const QString &line : lines) {
        const auto status = StatusLine.match(line);
        if (!status.hasMatch())
            continue;
        const QDateTime stamp =
            QDateTime::fromString(status.captured(2), QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        QVERIFY2(stamp > previous && stamp <= QDateTime::currentDateTime(), qPrintable(line));
        previous = stamp;
    }
    QCOMPARE(StatusLine.match(lines.at(lines.size() - 2)).captured(1).toInt(), records);
}

void TestUnattendedLogging::followsAnUnpluggedMeter() {
    const QString file = path(QStringLiteral("unplug.rdg"));
    start({"--record", file, "--port", "COM1=" + m_meter.link(), "--every", "1"});
    QTRY_VERIFY_WITH_TIMEOUT(recordsAnnounced() >= 2, 15000);
    m_meter.tell("unplug");
    QTRY_VERIFY_WITH_TIMEOUT(m_stderr.contains("no meter on COM1"), 15000);
    const int beforeReplug = recordsAnnounced();
    m_meter.tell("replug");
    QTRY_VERIFY_WITH_TIMEOUT(m_stderr.contains("the meter is back on COM1"), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(recordsAnnounced() >= beforeReplug + 2, 15000);
    m_program.terminate();
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);

    const QStringList lines = stderrLines();
    QCOMPARE(fileBytes(file), fileAnnouncedBy(lines));
    // One recording through the gap: numbers go on where they were.
    int expected = 1;
    for (const QString &line : lines) {
        if (const auto status = StatusLine.match(line); status.hasMatch())
            QCOMPARE(status.captured(1).toInt(), expected++);
    }
    const qsizetype gone =
        lines.indexOf("no meter on " + portLabel() + " (silent or unplugged); waiting for it");
    const qsizetype back = lines.indexOf("the meter is back on " + portLabel());
    QVERIFY2(gone > 0 && back > gone, m_stderr.constData());
    QVERIFY(StatusLine.match(lines.at(back + 1)).hasMatch());
}

void TestUnattendedLogging::refused_data() {
    QTest::addColumn<QStringList>("arguments"); // %file and %link are replaced
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("firstLine");

    QTest::newRow("unknown option") << QStringList{"--record", "%file", "--bogus"} << false << 2
                                    << "thermodesk: unknown option 'bogus'";
    QTest::newRow("conflicting options")
        << QStringList{"--record", "%file", "--reset-settings"} << false << 2
        << "thermodesk: --record and --reset-settings cannot go together";
    QTest::newRow("file exists") << QStringList{"--record", "%file", "--port", "COM1=%link"} << true
                                 << 1 << "thermodesk: %file exists already; --force overwrites it";
#if defined(Q_OS_WIN)
    QTest::newRow("port cannot be opened")
        << QStringList{"--record", "%file", "--port", "COM1=COM9"} << false << 1
        << "thermodesk: cannot open the port COM1 (COM9): " + SystemText::FileNotFound;
#else
    QTest::newRow("port cannot be opened")
        << QStringList{"--record", "%file", "--port", "COM1=/dev/no-such-meter"} << false << 1
        << "thermodesk: cannot open the port COM1 (/dev/no-such-meter): No such file or directory";
#endif
}

void TestUnattendedLogging::refused() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, fileExists);
    QFETCH(int, exitCode);
    QFETCH(QString, firstLine);

    const QString file = path(QStringLiteral("refused.rdg"));
    QFile::remove(file);
    const QByteArray earlier = "1\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n";
    if (fileExists) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(earlier);
    }
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("%file"), file)
            .replace(QStringLiteral("%link"), m_meter.link());
    start(arguments);
    QVERIFY(finish());
    QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program.exitCode(), exitCode);
    const QStringList lines = stderrLines();
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.constFirst(), QString(firstLine).replace(QStringLiteral("%file"), native(file)));
    if (exitCode == 2)
        QVERIFY(lines.size() > 1 && lines.at(1).startsWith(QStringLiteral("Usage: thermodesk")));
    else
        QCOMPARE(lines.size(), 1);
    if (fileExists)
        QCOMPARE(fileBytes(file), earlier);
    else
        QVERIFY(!QFileInfo::exists(file));
}

void TestUnattendedLogging::fullDiskIsToldAndEnds() {
    // A disk with no room left for the heading.
    SmallDisk disk(path(QStringLiteral("disk")), 4096);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    {
        QFile filler(disk.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        QCOMPARE(filler.write(QByteArray(4096, 'f')), 4096);
    }
    const QString file = disk.filePath(QStringLiteral("full.rdg"));
    start({"--record", file, "--port", "COM1=" + m_meter.link()});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 1);
    QVERIFY2(stderrLines().contains(QStringLiteral("thermodesk: Recording cannot start: cannot "
                                                   "write \"%1\": No space left on device")
                                        .arg(file)),
             m_stderr.constData());
}

void TestUnattendedLogging::portMappingsAreRemembered() {
    // Given once, used by the next run that gives none.
    start({"--record", path(QStringLiteral("first.rdg")), "--port", "COM1=" + m_meter.link(),
           "--for", "2", "--quiet"});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);
    QCOMPARE(m_stderr, QByteArray()); // --quiet: nothing to say
    QVERIFY(fileBytes(path(QStringLiteral("first.rdg"))).contains("\t\r\n1\t"));

    const QString second = path(QStringLiteral("second.rdg"));
    start({"--record", second, "--for", "2"});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);
    QVERIFY2(stderrLines().value(0) == "waiting for the meter on " + portLabel(),
             m_stderr.constData());
    QCOMPARE(fileBytes(second), fileAnnouncedBy(stderrLines()));

    // A damaged settings file: one line, and the run goes on without it.
    const QByteArray damaged = "[ports\n\x01\x02=\n";
    {
        QFile out(settingsFile());
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(damaged);
    }
    start({"--record", path(QStringLiteral("third.rdg")), "--port", "COM1=" + m_meter.link(),
           "--for", "2"});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);
    QCOMPARE(stderrLines().constFirst(), "thermodesk: ignoring the settings file " +
                                             settingsFile() +
                                             ": it is damaged (--reset-settings starts afresh)");
    QCOMPARE(stderrLines().at(1), "waiting for the meter on " + portLabel());
    QCOMPARE(fileBytes(settingsFile()), damaged);

    // Forgotten: the next run without --port no longer reaches the meter.
    start({"--reset-settings"});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(settingsFile()));
#if defined(Q_OS_WIN)
    return; // COM1 is the system's COM1 there, whatever was remembered
#endif
    start({"--record", path(QStringLiteral("fourth.rdg")), "--for", "2"});
    QVERIFY(finish());
    QCOMPARE(m_program.exitCode(), 1);
    QVERIFY2(!m_stderr.contains(m_meter.link().toUtf8()), m_stderr.constData());
}

QTEST_GUILESS_MAIN(TestUnattendedLogging)
#include "tst_unattended_logging.moc"
