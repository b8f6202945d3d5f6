// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/unattended_recording.h"
#include "fakes/fake_platform.h"
#include "fakes/file_checks.h"
#include "fakes/system_texts.h"
#include "panel/panel_model.h"
#include "panel/sampler.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A path as the program names it in messages.
QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

// 25.3 on T1, 240 on T2, J thermocouple; in °C and in °F.
const QByteArray FrameC = QByteArray::fromHex("020945810080fd00f003");
const QByteArray FrameF = QByteArray::fromHex("020945c10080fd00f003");

const QByteArray Heading = "J Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";

// Record line number of the samples taken at 14:25:second on 3 May 2001.
QByteArray record(int number, int second) {
    return QByteArray::number(number) +
           "\t2001/05/03 14:25:" + QByteArray::number(second).rightJustified(2, '0') +
           "\t25.3\t240\t-214.7\t\r\n";
}

QString statusOf(int number, int second) {
    return QStringLiteral("record %1  2001/05/03 14:25:%2  T1 25.3  T2 240  T1-T2 -214.7  \u00B0C")
        .arg(number)
        .arg(second, 2, 10, QLatin1Char('0'));
}

} // namespace

// Unattended logging on the fakes: when it starts and refuses to, what it writes and tells
// per sample, and how each way of ending leaves the file, the port and the exit code.
class TestUnattendedRecording : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recordsOnceTheMeterIsHeard_data();
    void recordsOnceTheMeterIsHeard();
    void refusedBeforeStart_data();
    void refusedBeforeStart();
    void forceOverwrites();
    void fileAppearingWhileWaitingIsKept();
    void followsASilentMeter();
    void unitChangeEndsTheRun();
    void fullDiskEndsTheRun();
    void stopBeforeTheMeterSpoke();
    void durationEndsTheRun();

private:
    // Options for data.rdg in the test's folder on COM1.
    UnattendedRecording::Options options() const;
    void makeRecording(const UnattendedRecording::Options &options);
    // One tick of Timer2, a second after the last one.
    void tick(int times = 1);
    QString path(const QString &name = QStringLiteral("data.rdg")) const {
        return m_dir->filePath(name);
    }
    void verifyEnded(int exitCode);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<UnattendedRecording> m_recording;
    std::unique_ptr<QSignalSpy> m_finished;
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_status;
    QStringList m_errors;
};

void TestUnattendedRecording::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_status.clear();
    m_errors.clear();
}

void TestUnattendedRecording::cleanup() {
    m_finished.reset();
    m_recording.reset();
    m_program.reset();
    m_fakes.reset();
    m_dir.reset();
}

UnattendedRecording::Options TestUnattendedRecording::options() const {
    UnattendedRecording::Options o;
    o.path = path();
    o.portNumber = 1;
    o.portLabel = QStringLiteral("COM1 (fake)");
    return o;
}

void TestUnattendedRecording::makeRecording(const UnattendedRecording::Options &options) {
    m_recording = std::make_unique<UnattendedRecording>(
        *m_program, options, [this](const QString &line) { m_status << line; },
        [this](const QString &line) { m_errors << line; });
    m_finished = std::make_unique<QSignalSpy>(m_recording.get(), &UnattendedRecording::finished);
}

void TestUnattendedRecording::tick(int times) {
    for (int i = 0; i < times; ++i) {
        m_fakes->clock.advance(1);
        m_program->sampler().tick();
    }
}

void TestUnattendedRecording::verifyEnded(int exitCode) {
    QVERIFY(m_recording->isFinished());
    QCOMPARE(m_recording->exitCode(), exitCode);
    QVERIFY(!m_fakes->serial.isOpen());
    QVERIFY(!m_program->panel().timers().running());
    QVERIFY(!isFileOpen(path()));
}

void TestUnattendedRecording::recordsOnceTheMeterIsHeard_data() {
    QTest::addColumn<int>("every");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<QList<int>>("sampledTicks"); // of ticks 1..7 after the first frame

    QTest::newRow("every second") << 1 << false << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("every 3 s") << 3 << false << QList<int>{1, 4, 7};
    QTest::newRow("quiet") << 1 << true << QList<int>{1, 2, 3, 4, 5, 6, 7};
}

void TestUnattendedRecording::recordsOnceTheMeterIsHeard() {
    QFETCH(int, every);
    QFETCH(bool, quiet);
    QFETCH(QList<int>, sampledTicks);

    UnattendedRecording::Options o = options();
    o.everySeconds = every;
    o.quiet = quiet;
    makeRecording(o);
    QVERIFY(m_recording->start());
    QVERIFY(m_fakes->serial.isOpen());
    QCOMPARE(m_fakes->serial.openedPort, 1);
    QCOMPARE(m_program->PortNumber(), 1);

    // Nothing is made before the meter tells the type and unit the heading names.
    tick(2);
    QVERIFY(!QFile::exists(path()));
    m_program->panel().showFrame(FrameC);
    QCOMPARE(fileBytes(path()), Heading);

    tick(7);
    QByteArray expected = Heading;
    QStringList expectedStatus{
        QStringLiteral("waiting for the meter on COM1 (fake)"),
        QStringLiteral("recording J \u00B0C every %1 s into %2").arg(every).arg(native(path()))};
    for (int i = 0; i < sampledTicks.size(); ++i) {
        // The clock stood at 14:25:03 when the frame came; tick n reads 03 + n.
        expected += record(i + 1, 3 + sampledTicks.at(i));
        expectedStatus << statusOf(i + 1, 3 + sampledTicks.at(i));
    }
    QCOMPARE(fileBytes(path()), expected);
    QVERIFY(m_finished->isEmpty());

    m_recording->stop(QStringLiteral("by SIGTERM"));
    verifyEnded(0);
    QCOMPARE(m_finished->size(), 1);
    QCOMPARE(m_finished->at(0).at(0).toInt(), 0);
    QCOMPARE(m_recording->records(), sampledTicks.size());
    QCOMPARE(fileBytes(path()), expected);
    expectedStatus << QStringLiteral("stopped by SIGTERM: %1 records in %2")
                          .arg(sampledTicks.size())
                          .arg(native(path()));
    QCOMPARE(m_status, quiet ? QStringList() : expectedStatus);
    QCOMPARE(m_errors, QStringList());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());

    // A second stop, or ticks that were still queued, change nothing.
    m_recording->stop(QStringLiteral("by SIGINT"));
    tick(2);
    QCOMPARE(m_finished->size(), 1);
    QCOMPARE(fileBytes(path()), expected);
}

void TestUnattendedRecording::refusedBeforeStart_data() {
    QTest::addColumn<QString>("file");     // relative to the test's folder
    QTest::addColumn<QString>("prepare");  // "file", "folder" or "" (nothing) at that path
    QTest::addColumn<bool>("portMissing"); // no serial device behind COM1
    QTest::addColumn<QString>("error");    // %1: the test's folder

    QTest::newRow("file exists") << "data.rdg"
                                 << "file" << false
                                 << "%1/data.rdg exists already; --force overwrites it";
    QTest::newRow("path is a folder")
        << "data.rdg"
        << "folder" << false << "%1/data.rdg exists already; --force overwrites it";
    QTest::newRow("folder missing")
        << "missing/data.rdg"
        << "" << false << "cannot write in the folder %1/missing: " + SystemText::FolderNotFound;
    QTest::newRow("folder is a file")
        << "plain/data.rdg"
        << "" << false << "cannot write in the folder %1/plain: " + SystemText::NotAFolder;
    QTest::newRow("port missing") << "data.rdg"
                                  << "" << true << "cannot open the port COM1 (fake)";
}

void TestUnattendedRecording::refusedBeforeStart() {
    QFETCH(QString, file);
    QFETCH(QString, prepare);
    QFETCH(bool, portMissing);
    QFETCH(QString, error);

    const QByteArray earlier = "earlier recording\r\n";
    {
        QFile plain(path(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    if (prepare == QLatin1String("file")) {
        QFile existing(path(file));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(earlier);
    } else if (prepare == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(path(file)));
    }
    if (portMissing)
        m_fakes->serial.existingPorts = 0;

    UnattendedRecording::Options o = options();
    o.path = path(file);
    makeRecording(o);
    QVERIFY(!m_recording->start());
    QVERIFY(m_recording->isFinished());
    QCOMPARE(m_recording->exitCode(), UnattendedRecording::FailureExitCode);
    QCOMPARE(m_errors, QStringList{native(QString(error).replace("%1", m_dir->path()))});
    QVERIFY(!m_fakes->serial.isOpen());
    if (prepare == QLatin1String("file"))
        QCOMPARE(fileBytes(path(file)), earlier);
    else if (prepare.isEmpty())
        QVERIFY(!QFileInfo::exists(path(file)));
}

void TestUnattendedRecording::forceOverwrites() {
    {
        QFile existing(path());
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write(QByteArray(500, 'x'));
    }
    UnattendedRecording::Options o = options();
    o.force = true;
    makeRecording(o);
    QVERIFY(m_recording->start());
    m_program->panel().showFrame(FrameC);
    tick();
    m_recording->stop(QStringLiteral("by SIGHUP"));
    verifyEnded(0);
    QCOMPARE(fileBytes(path()), Heading + record(1, 2));
}

void TestUnattendedRecording::fileAppearingWhileWaitingIsKept() {
    makeRecording(options());
    QVERIFY(m_recording->start());
    {
        QFile other(path());
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("someone else's\r\n");
    }
    m_program->panel().showFrame(FrameC);
    verifyEnded(UnattendedRecording::FailureExitCode);
    QCOMPARE(m_finished->size(), 1);
    QCOMPARE(fileBytes(path()), QByteArray("someone else's\r\n"));
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.at(0).contains(QStringLiteral("exists already")), qPrintable(m_errors.at(0)));
}

void TestUnattendedRecording::followsASilentMeter() {
    makeRecording(options());
    QVERIFY(m_recording->start());
    m_program->panel().showFrame(FrameC);
    tick(2);

    // The meter falls silent; it speaks again at the fifth poll of the wait.
    m_fakes->pump.onWait = [this](int waits) {
        if (waits == 5)
            m_fakes->serial.queue(FrameC);
    };
    m_program->panel().waitForMeter();
    QVERIFY(m_program->panel().timers().running());
    m_program->panel().showFrame(FrameC);
    tick();

    QCOMPARE(fileBytes(path()), Heading + record(1, 2) + record(2, 3) + record(3, 4));
    QCOMPARE(m_status.mid(2),
             (QStringList{statusOf(1, 2), statusOf(2, 3),
                          QStringLiteral("no meter on COM1 (fake) (silent or unplugged); waiting "
                                         "for it"),
                          QStringLiteral("the meter is back on COM1 (fake)"), statusOf(3, 4)}));
    QVERIFY(m_finished->isEmpty());
}

void TestUnattendedRecording::unitChangeEndsTheRun() {
    makeRecording(options());
    QVERIFY(m_recording->start());
    m_program->panel().showFrame(FrameC);
    tick(2);
    m_program->panel().showFrame(FrameF);
    tick();

    verifyEnded(UnattendedRecording::FailureExitCode);
    QCOMPARE(m_finished->size(), 1);
    QCOMPARE(fileBytes(path()), Heading + record(1, 2) + record(2, 3));
    QCOMPARE(m_errors,
             QStringList{QStringLiteral(
                 "recording stopped: the meter changed its unit from \u00B0C to \u00B0F")});
    QCOMPARE(m_status.constLast(), QStringLiteral("stopped: 2 records in %1").arg(native(path())));
}

void TestUnattendedRecording::fullDiskEndsTheRun() {
#if defined(Q_OS_WIN)
    QSKIP("a full disk cannot be put under an open file on Windows");
#endif
    makeRecording(options());
    QVERIFY(m_recording->start());
    m_program->panel().showFrame(FrameC);
    tick(2);
    QVERIFY(fillDiskUnder(path()));
    tick();

    verifyEnded(UnattendedRecording::FailureExitCode);
    QCOMPARE(m_finished->size(), 1);
    // The recorder tells why through the dialogs, which a run without windows prints.
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const QString message = m_fakes->dialogs.messages.at(0).text;
    QVERIFY2(message.contains(path()) && message.contains("No space left on device"),
             qPrintable(message));
    QCOMPARE(m_errors, QStringList());
    QCOMPARE(m_recording->records(), 2);
    QCOMPARE(m_status.constLast(), QStringLiteral("stopped: 2 records in %1").arg(native(path())));
}

void TestUnattendedRecording::stopBeforeTheMeterSpoke() {
    makeRecording(options());
    QVERIFY(m_recording->start());
    tick(3);
    m_recording->stop(QStringLiteral("by SIGINT"));

    verifyEnded(UnattendedRecording::FailureExitCode);
    QVERIFY(!QFileInfo::exists(path()));
    QCOMPARE(m_errors, QStringList{QStringLiteral("stopped by SIGINT: no meter heard on COM1 "
                                                  "(fake), nothing recorded")});
    // A frame that was on its way starts nothing any more.
    m_program->panel().showFrame(FrameC);
    QVERIFY(!QFileInfo::exists(path()));
}

void TestUnattendedRecording::durationEndsTheRun() {
    UnattendedRecording::Options o = options();
    o.forSeconds = 1;
    makeRecording(o);
    QVERIFY(m_recording->start());
    m_program->panel().showFrame(FrameC);
    tick();
    QVERIFY(m_finished->isEmpty());

    // Only the duration's timer runs while the event loop waits: the fakes' frame timer
    // would poll a silent port without end.
    m_program->panel().stopTimers();
    QVERIFY(m_finished->wait(10000));
    verifyEnded(0);
    QCOMPARE(fileBytes(path()), Heading + record(1, 2));
    QCOMPARE(m_status.constLast(),
             QStringLiteral("stopped after --for 1 s: 1 record in %1").arg(native(path())));
}

QTEST_GUILESS_MAIN(TestUnattendedRecording)
#include "tst_unattended_recording.moc"
