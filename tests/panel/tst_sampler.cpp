// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/file_checks.h"
#include "fakes/meter_frames.h"
#include "fakes/small_disk.h"
#include "fakes/started_program.h"
#include "fakes/system_texts.h"
#include "lists/list_window_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The heading line of a recording started with a J thermocouple in °C (0xB0: the degree sign).
const QByteArray Heading = "J Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";

QByteArray line(const QByteArrayList &fields) {
    return fields.join('\t') + "\t\r\n";
}

// A record line stamped on 3 May 2001 at 14:25 and the given second.
QByteArray record(const QByteArray &number, int second, const QByteArray &t1 = "25.3",
                  const QByteArray &t2 = "240", const QByteArray &diff = "-214.7") {
    return line({number, "2001/05/03 14:25:" + QByteArray::number(second).rightJustified(2, '0'),
                 t1, t2, diff});
}

} // namespace

// The sampling timer's tick: countdown, live list, record file, continuation files, the
// dump of a full live list, and what happens when a file cannot be written.
class TestSampler : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void countdown_data();
    void countdown();
    void liveListRowsAndScroll();
    void recordsGoToTheFileAtOnce();
    void unitChangeClosesTheListThenStopsRecording();
    void continuationFiles();
    void fullListIsDumped();

    void recordingThatCannotStart_data();
    void recordingThatCannotStart();
    void recordingThatCannotWriteStops_data();
    void recordingThatCannotWriteStops();
    void diskFillingUpStopsTheRecordingAfterAWholeLine();
    void dumpThatCannotWriteKeepsTheRows();

private:
    // The program on the fakes, loaded, showing 25.3 on T1 and 240 on T2 of a J thermocouple
    // in °C; files and the live list move on at the limits given.
    void start(Program::Limits limits);
    // The meter shows other readings, type or unit from the next frame on.
    void show(const QString &t1, const QString &t2, const QString &type = QStringLiteral("J"),
              const QString &unit = QStringLiteral("\u00B0C")) {
        m_program->panel().showFrame(MeterFrames::liveFrame(t1, t2, type, unit));
    }
    // One tick of Timer2, a second after the last one.
    void tick(int times = 1);
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void verifyIdleShown();

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
    Sampler *m_sampler = nullptr;
    QString m_startDir;
};

void TestSampler::init() {
    start(Program::Limits());
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_startDir = QDir::currentPath();
}

void TestSampler::start(Program::Limits limits) {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform(), limits);
    m_program->choosePort(QStringLiteral("COM1"));
    QVERIFY(m_program->loadPanel());
    m_sampler = &m_program->sampler();
    m_program->panel().showFrame(QByteArray::fromHex("020945810080fd00f003"));
    QCOMPARE(m_program->panel().live().T1Text, QStringLiteral("25.3"));
    // Every list window's item model is checked through all it goes through.
    testListModels(*m_program);
}

void TestSampler::cleanup() {
    QDir::setCurrent(m_startDir);
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

void TestSampler::tick(int times) {
    for (int i = 0; i < times; ++i) {
        m_fakes->clock.advance(1);
        m_sampler->tick();
    }
}

void TestSampler::verifyIdleShown() {
    const PanelDisplay &d = m_program->panel().display();
    QCOMPARE(m_program->panel().toolbar().at(0),
             (ToolButton{int(PanelCommand::Save), ToolKeys::Save, QStringLiteral("Save As"),
                         QStringLiteral("save")}));
    QVERIFY(!d.LblRecording.visible);
    QCOMPARE(d.LblCount.text, QString());
    QCOMPARE(d.LblFileName.text, QString());
    QVERIFY(!m_program->recorder().Recording());
    QCOMPARE(m_program->recorder().RecordCount(), 0);
}

void TestSampler::countdown_data() {
    QTest::addColumn<int>("samplingTime");  // 0: as the panel loaded (1 s)
    QTest::addColumn<bool>("sampleBefore"); // a sample was taken before "Sample" set the time
    QTest::addColumn<QString>("samples");   // per tick: 1 when it sampled

    QTest::newRow("1 s as loaded") << 0 << false << "1111";
    QTest::newRow("3 s") << 3 << false << "1001001";
    QTest::newRow("3 s set mid-count") << 3 << true << "1001001";
    QTest::newRow("5 s") << 5 << true << "10000100";
    QTest::newRow("back to 1 s") << 1 << true << "1111";
}

void TestSampler::countdown() {
    QFETCH(int, samplingTime);
    QFETCH(bool, sampleBefore);
    QFETCH(QString, samples);

    m_program->panelCommands().list();
    if (sampleBefore) {
        m_sampler->setSamplingTime(2);
        tick(2); // one sample, then one tick of the countdown
    }
    if (samplingTime > 0)
        m_sampler->setSamplingTime(samplingTime);
    QString sampled;
    for (int i = 0; i < samples.size(); ++i) {
        const int before = m_program->liveList().ListCount();
        tick();
        sampled += m_program->liveList().ListCount() > before ? QLatin1Char('1') : QLatin1Char('0');
    }
    QCOMPARE(sampled, samples);
}

void TestSampler::liveListRowsAndScroll() {
    m_program->panelCommands().list();
    ListWindowModel *list = m_program->list();
    for (int i = 1; i <= 12; ++i) {
        show(QString::number(i), QStringLiteral("240"));
        tick();
        QCOMPARE(list->firstVisibleRow(), std::max(0, i - ListWindowModel::VisibleDataRows));
    }
    QCOMPARE(list->records().rowCount(), 12);
    QCOMPARE(list->records().heading(0), QStringLiteral("J Type \u00B0C"));
    QCOMPARE(list->records().row(0), (RecordRow{"1", "2001/05/03 14:25:02", "1", "240", "-239.0"}));
    QCOMPARE(list->records().row(11),
             (RecordRow{"12", "2001/05/03 14:25:13", "12", "240", "-228.0"}));
    QCoreApplication::sendPostedEvents(); // the table announces its rows to views in batches
    QCOMPARE(list->grid().rowCount(), 12);
}

void TestSampler::recordsGoToTheFileAtOnce() {
    const QString file = path(QStringLiteral("data.rdg"));
    m_sampler->setSamplingTime(3);
    tick(); // a sample at 14:25:02, before the recording starts

    QVERIFY(m_program->recorder().startRecording(file));
    const PanelDisplay &d = m_program->panel().display();
    QCOMPARE(m_program->panel().toolbar().at(0),
             (ToolButton{int(PanelCommand::Save), ToolKeys::Save, QStringLiteral("Stop Recording"),
                         QStringLiteral("stop")}));
    QVERIFY(d.LblRecording.visible);
    QCOMPARE(d.LblFileName.text, QDir::toNativeSeparators(file));
    QCOMPARE(d.LblCount.text, QString());
    QCOMPARE(fileBytes(file), Heading);

    // The countdown runs on: the first record comes with the next sampling tick.
    tick(2);
    QCOMPARE(fileBytes(file), Heading);
    tick();
    QCOMPARE(fileBytes(file), Heading + record("1", 5));
    QCOMPARE(d.LblCount.text, QStringLiteral("1"));

    show(QStringLiteral("OL"), QStringLiteral("240")); // no difference: "----"
    tick(3);
    QCOMPARE(fileBytes(file), Heading + record("1", 5) + record("2", 8, "OL", "240", "----"));
    QCOMPARE(d.LblCount.text, QStringLiteral("2"));
    QVERIFY(isFileOpen(file));

    m_program->recorder().stopRecording();
    verifyIdleShown();
    QVERIFY(!isFileOpen(file));
    tick(3);
    QCOMPARE(fileBytes(file), Heading + record("1", 5) + record("2", 8, "OL", "240", "----"));
}

void TestSampler::unitChangeClosesTheListThenStopsRecording() {
    const QString file = path(QStringLiteral("data.rdg"));
    QSignalSpy closing(&m_program->windows(), &WindowRegistry::windowClosed);
    m_sampler->setSamplingTime(2);
    m_program->panelCommands().list();
    QVERIFY(m_program->recorder().startRecording(file));
    tick();

    // Another thermocouple type alone changes nothing.
    show(QStringLiteral("25.3"), QStringLiteral("240"), QStringLiteral("K"));
    tick(2);
    QCOMPARE(m_program->liveList().ListCount(), 2);
    const QByteArray written = Heading + record("1", 2) + record("2", 4);
    QCOMPARE(fileBytes(file), written);

    // The meter switched to °F: the list closes at the sampling tick...
    show(QStringLiteral("25.3"), QStringLiteral("240"), QStringLiteral("K"),
         QStringLiteral("\u00B0F"));
    tick(2);
    QCOMPARE(closing.count(), 1);
    QVERIFY(!m_program->ListOpen());
    QCOMPARE(m_program->liveList().ListCount(), 0);
    QVERIFY(!m_program->list());
    QVERIFY(m_program->recorder().Recording());
    QCOMPARE(fileBytes(file), written);

    // ...and recording stops at the very next tick, writing nothing.
    tick();
    verifyIdleShown();
    QVERIFY(!isFileOpen(file));
    QCOMPARE(fileBytes(file), written);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestSampler::continuationFiles() {
    start({2, Program::Limits().rowsPerList}); // two records a file
    // A dot in a folder name does not count: the part number goes into the file's name.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("run.1")));
    const QString first = path(QStringLiteral("run.1/data.rdg"));
    QVERIFY(m_program->recorder().startRecording(first));
    tick(2);

    show(QStringLiteral("25.3"), QStringLiteral("240"), QStringLiteral("K")); // the heading
    tick(2); // keeps the recording's own type
    const QString second = path(QStringLiteral("run.1/data001.rdg"));
    QCOMPARE(fileBytes(first), Heading + record("1", 2) + record("2", 3));
    QVERIFY(!isFileOpen(first));
    QCOMPARE(fileBytes(second), Heading + record("3", 4) + record("4", 5));
    QCOMPARE(m_program->recorder().FilePart(), 1);
    QCOMPARE(m_program->panel().display().LblCount.text, QStringLiteral("4"));
    QCOMPARE(m_program->recorder().ChosenFileName(), first);

    // The part number goes on across recordings.
    m_program->recorder().stopRecording();
    QCOMPARE(m_program->recorder().FilePart(), 1);
    const QString other = path(QStringLiteral("other.rdg"));
    QVERIFY(m_program->recorder().startRecording(other));
    tick(3);
    const QByteArray headingK = "K Type \xB0"
                                "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
    QCOMPARE(fileBytes(path(QStringLiteral("other002.rdg"))), headingK + record("3", 8));
    QCOMPARE(fileBytes(other), headingK + record("1", 6) + record("2", 7));
    m_program->recorder().stopRecording();
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestSampler::fullListIsDumped() {
    start({Program::Limits().recordsPerFile, 3}); // three rows a list
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_program->panelCommands().list();
    ListWindowModel *list = m_program->list();
    QStringList captions;
    // As a view: shown, the caption's next change is announced again.
    connect(list, &ListWindowModel::captionChanged, this, [&] {
        captions << list->caption();
        list->captionShown();
    });
    const QList<bool> &busy = m_fakes->pointer.changes;
    tick(2);
    QCoreApplication::sendPostedEvents(); // views learn of the rows before the dump

    tick(); // row 3 at 14:25:04 fills the list
    QCOMPARE(fileBytes(path(QStringLiteral("0503142504.rdg"))),
             Heading + record("1", 2) + record("2", 3) + record("3", 4));
    QCOMPARE(captions,
             (QStringList{"0 Records Completed", "1 Records Completed", "2 Records Completed",
                          "3 Records Completed", "Real Time List"}));
    QCOMPARE(busy.count(), 2);
    QCOMPARE(busy.at(0), true);
    QCOMPARE(busy.at(1), false);
    QCOMPARE(list->records().rowCount(), 0);
    QCOMPARE(list->records().heading(0), QStringLiteral("J Type \u00B0C"));
    QCOMPARE(m_program->liveList().ListCount(), 3);

    // Numbering goes on, and the new row is in view.
    tick();
    QCOMPARE(list->records().row(0),
             (RecordRow{"4", "2001/05/03 14:25:05", "25.3", "240", "-214.7"}));
    QCOMPARE(list->firstVisibleRow(), 0);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestSampler::recordingThatCannotStart_data() {
    QTest::addColumn<QString>("file"); // %1: the test's folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "%1/missing/data.rdg" << SystemText::FolderNotFound;
#if !defined(Q_OS_WIN)
    QTest::newRow("disk full") << "/dev/full"
                               << "No space left on device";
#endif
    QTest::newRow("a folder") << "%1" << SystemText::IsAFolder;
}

void TestSampler::recordingThatCannotStart() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    file.replace(QStringLiteral("%1"), m_dir->path());

    QVERIFY(!m_program->recorder().startRecording(file));
    verifyIdleShown();
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages.at(0);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(file)) && message.text.contains(reason),
             qPrintable(message.text));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY(!isFileOpen(file));
    tick();
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
}

void TestSampler::recordingThatCannotWriteStops_data() {
    QTest::addColumn<bool>("atContinuation"); // else the disk fills under the open file
    QTest::addColumn<QString>("failedFile");
    QTest::addColumn<QString>("reason");
    QTest::newRow("continuation cannot be created")
        << true << "data001.rdg" << SystemText::IsAFolder;
#if !defined(Q_OS_WIN) // no disk can be filled under an open file there
    QTest::newRow("disk full") << false << "data.rdg"
                               << "No space left on device";
#endif
}

void TestSampler::recordingThatCannotWriteStops() {
    QFETCH(bool, atContinuation);
    QFETCH(QString, failedFile);
    QFETCH(QString, reason);

    if (atContinuation)
        start({1, Program::Limits().rowsPerList}); // one record a file
    const QString file = path(QStringLiteral("data.rdg"));
    QVERIFY(m_program->recorder().startRecording(file));
    tick();
    if (atContinuation) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("data001.rdg")));
    } else {
        QVERIFY(fillDiskUnder(file));
    }
    tick();

    verifyIdleShown();
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages.at(0);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path(failedFile))) &&
                 message.text.contains(reason),
             qPrintable(message.text));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY(!isFileOpen(file));
    if (atContinuation)
        QCOMPARE(fileBytes(file), Heading + record("1", 2));

    // Stopped means stopped: the next ticks neither write nor complain again.
    tick(2);
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
}

void TestSampler::diskFillingUpStopsTheRecordingAfterAWholeLine() {
    // One free page: the disk fills up in the middle of some record line.
    SmallDisk disk(path(QStringLiteral("disk")), 2 * 4096);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    {
        QFile filler(disk.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        QCOMPARE(filler.write(QByteArray(4096, 'f')), 4096);
    }
    const QString file = disk.filePath(QStringLiteral("data.rdg"));
    QVERIFY(m_program->recorder().startRecording(file));
    for (int ticks = 0; m_program->recorder().Recording() && ticks < 1000; ++ticks)
        tick();

    verifyIdleShown();
    QVERIFY(!isFileOpen(file));
    const QByteArray bytes = fileBytes(file);
    QVERIFY(bytes.startsWith(Heading));
    QByteArrayList lines = bytes.split('\n');
    QVERIFY2(lines.takeLast().isEmpty(), bytes.right(60).constData()); // ends with CR LF
    for (const QByteArray &line : lines)
        QVERIFY2(line.count('\t') == 5 && line.endsWith("\t\r"), line.constData());
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const QString text = m_fakes->dialogs.messages.at(0).text;
    QVERIFY2(text.contains(file) && text.contains("No space left on device"), qPrintable(text));
}

void TestSampler::dumpThatCannotWriteKeepsTheRows() {
    start({Program::Limits().recordsPerFile, 3}); // three rows a list
    QVERIFY(QDir::setCurrent(m_dir->path()));
    QVERIFY(QDir().mkdir(QStringLiteral("0503142504.rdg"))); // a folder where the dump goes
    m_program->panelCommands().list();
    ListWindowModel *list = m_program->list();
    const QList<bool> &busy = m_fakes->pointer.changes;
    tick(3);

    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const QString text = m_fakes->dialogs.messages.at(0).text;
    QVERIFY2(text.contains(QStringLiteral("0503142504.rdg")) &&
                 text.contains(SystemText::IsAFolder),
             qPrintable(text));
    QCOMPARE(list->records().rowCount(), 3);
    QCOMPARE(list->records().cell(0, 2), QStringLiteral("3"));
    QCOMPARE(list->caption(), QStringLiteral("Real Time List"));
    QCOMPARE(busy.count(), 2);
    QVERIFY(m_program->ListOpen());

    tick();
    QCOMPARE(list->records().rowCount(), 4);
    QCOMPARE(list->records().cell(0, 3), QStringLiteral("4"));
}

QTEST_GUILESS_MAIN(TestSampler)
#include "tst_sampler.moc"
