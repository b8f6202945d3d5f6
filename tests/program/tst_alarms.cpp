// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"
#include "fakes/meter_frames.h"
#include "fakes/started_program.h"
#include "panel/alarms.h"
#include "panel/alarms_model.h"
#include "panel/recorder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using MeterFrames::liveFrame;

// The alarms of a running program: what the panel shows, the sound and the notification,
// the acknowledgement, the Alarms window, and the alarms file beside a recording.
class TestAlarms : public QObject {
    Q_OBJECT

private slots:
    void init();
    void panelShowsAndSounds();
    void soundRepeatsUntilAcknowledged();
    void alarmsFileBesideTheRecording();
    void alarmsWindowSetsTheLimits();

private:
    void setLimits(const QStringList &rules);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<TimerGate::Hold> m_held;
};

void TestAlarms::init() {
    // A fresh meter, clock and alarm signal for every test.
    m_held.reset();
    m_program.reset();
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    // The tests show the frames themselves; the frame timer reading the fake port while a
    // test waits would only find it silent.
    m_held = std::make_unique<TimerGate::Hold>(m_program->panel().timers());
}

void TestAlarms::setLimits(const QStringList &rules) {
    AlarmLimits limits = m_program->alarms().limits();
    for (const QString &rule : rules)
        QVERIFY(limits.addRule(rule));
    m_program->alarms().setLimits(limits);
}

void TestAlarms::panelShowsAndSounds() {
    setLimits({"T2>30"});
    PanelModel &panel = m_program->panel();
    QSignalSpy alarms(&m_program->alarms(), &Alarms::alarm);

    // T2 is the small reading in this display mode: it turns red, T1 (main) does not.
    panel.showFrame(liveFrame("25.0", "31.5"));
    QVERIFY(panel.display().LblSmall.alarm);
    QVERIFY(!panel.display().LblMain.alarm);
    QCOMPARE(panel.display().LblAlarm.text, QStringLiteral("T2 above 30.0 \u00B0C: 31.5 \u00B0C"));
    QVERIFY(panel.display().LblAlarm.visible);
    QVERIFY(panel.display().LblAlarm.alarm);
    QCOMPARE(m_fakes->alarmSignal.sounds, 1);
    QCOMPARE(m_fakes->alarmSignal.notes,
             QStringList{"ThermoDesk alarm: T2 above 30.0 \u00B0C: 31.5 \u00B0C"});

    // Every frame is checked, and a lasting alarm is neither sounded nor noted again.
    panel.showFrame(liveFrame("25.0", "32.0"));
    QCOMPARE(m_fakes->alarmSignal.sounds, 1);
    QCOMPARE(alarms.size(), 1);

    // Main T2, small T1: the red follows the channel.
    panel.showFrame(MeterFrames::frame(MeterFrames::statusA("J", "\u00B0C"), 0x08,
                                       MeterFrames::wordOf("32.0"), MeterFrames::wordOf("25.0")));
    QVERIFY(panel.display().LblMain.alarm);
    QVERIFY(!panel.display().LblSmall.alarm);

    m_fakes->clock.advance(65);
    panel.showFrame(liveFrame("25.0", "28.0"));
    QVERIFY(!panel.display().LblSmall.alarm);
    QVERIFY(!panel.display().LblMain.alarm);
    QCOMPARE(panel.display().LblAlarm.text,
             QStringLiteral("T2 above 30.0 \u00B0C: cleared at 14:26:06"));
    QVERIFY(panel.display().LblAlarm.visible);
    QVERIFY(!panel.display().LblAlarm.alarm);
    QCOMPARE(alarms.size(), 2);
    const auto cleared = alarms.at(1).at(0).value<AlarmEvent>();
    QCOMPARE(cleared.channel, AlarmChannel::T2);
    QCOMPARE(cleared.kind, AlarmEvent::Kind::Clear);
    QCOMPARE(cleared.reading, QStringLiteral("28.0"));
    QCOMPARE(cleared.limit, 30.0);
    QCOMPARE(cleared.time, m_fakes->clock.current);
    QCOMPARE(m_fakes->alarmSignal.notes.size(), 1);
}

void TestAlarms::soundRepeatsUntilAcknowledged() {
    LiveValues live;
    FakeAlarmSignal signal;
    Alarms alarms(live, m_fakes->clock, m_fakes->dialogs, signal, 20);
    AlarmLimits limits;
    QVERIFY(limits.addRule(QStringLiteral("T1>250")));
    alarms.setLimits(limits);
    live = {QStringLiteral("OL"), QStringLiteral("22.0"),    QStringLiteral("OL"),
            QStringLiteral("J"),  QStringLiteral("\u00B0C"), {}};
    alarms.check();
    QVERIFY(alarms.isSounding());
    QTRY_VERIFY_WITH_TIMEOUT(signal.sounds >= 3, 5000);

    // It repeats after the alarm cleared too, until someone has seen it.
    live.T1Text = QStringLiteral("25.0");
    alarms.check();
    QVERIFY(!alarms.isActive(AlarmChannel::T1));
    QVERIFY(alarms.isSounding());

    // The click on the panel's alarm text acknowledges, as the window's button does.
    alarms.acknowledge();
    QVERIFY(!alarms.isSounding());
    const int sounds = signal.sounds;
    QTest::qWait(100);
    QCOMPARE(signal.sounds, sounds);

    // The panel's text, pressed, reaches the program's alarms.
    setLimits({"T1>250"});
    m_program->panel().showFrame(liveFrame("OL", "22.0"));
    QVERIFY(m_program->alarms().isSounding());
    m_program->panel().clickLblAlarm();
    QVERIFY(!m_program->alarms().isSounding());
}

void TestAlarms::alarmsFileBesideTheRecording() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    setLimits({"T1>250", "open"});
    PanelModel &panel = m_program->panel();
    Recorder &recorder = m_program->recorder();

    // A recording without an alarm leaves no alarms file.
    QVERIFY(recorder.startRecording(dir.filePath("quiet.rdg")));
    panel.showFrame(liveFrame("25.0", "22.0"));
    recorder.stopRecording();
    QCOMPARE(folderEntries(dir.path()), QStringList{"quiet.rdg"});

    // Alarms before the recording are not in its file; each start and end during it is.
    panel.showFrame(liveFrame("251.0", "22.0"));
    panel.showFrame(liveFrame("25.0", "22.0"));
    const QString path = dir.filePath("run.rdg");
    QVERIFY(recorder.startRecording(path));
    const QByteArray recordBefore = fileBytes(path);
    panel.showFrame(liveFrame("251.3", "22.0"));
    m_fakes->clock.advance(2);
    panel.showFrame(liveFrame("OL", "----"));
    m_fakes->clock.advance(3);
    panel.showFrame(liveFrame("24.0", "22.0"));
    recorder.stopRecording();
    panel.showFrame(liveFrame("251.0", "22.0")); // after the recording: not written

    QCOMPARE(fileBytes(dir.filePath("run.alarms.csv")),
             QByteArray("time,channel,event,reading,limit\r\n"
                        "2001-05-03T14:25:01,T1,high,251.3,250.0\r\n"
                        "2001-05-03T14:25:03,T2,open,'----,\r\n"
                        "2001-05-03T14:25:06,T1,clear,24.0,250.0\r\n"
                        "2001-05-03T14:25:06,T2,clear,22.0,\r\n"));
    // The record file holds records only.
    QCOMPARE(fileBytes(path), recordBefore);
}

void TestAlarms::alarmsWindowSetsTheLimits() {
    m_program->panel().pressToolButton(int(PanelCommand::Alarms));
    auto *window = m_program->windows().find<AlarmsModel>(AlarmsModel::Name);
    QVERIFY(window);
    QCOMPARE(window->caption(), QStringLiteral("Alarms"));
    QCOMPARE(window->unitText(), QStringLiteral("Limits in \u00B0C"));

    QSignalSpy limitsChanged(&m_program->alarms(), &Alarms::limitsChanged);
    AlarmLimits limits = window->limits();
    limits.of(AlarmChannel::Diff).low = {true, -5.0};
    window->setLimits(limits);
    QCOMPARE(limitsChanged.size(), 1);
    m_program->panel().showFrame(MeterFrames::differenceFrame("20.0", "-6.0"));
    QVERIFY(m_program->alarms().isActive(AlarmChannel::Diff));
    QCOMPARE(window->alarmText(), QStringLiteral("T1-T2 below -5.0 \u00B0C: -6.0 \u00B0C"));
    // The main reading is T1-T2 here: it is the red one.
    QVERIFY(m_program->panel().display().LblMain.alarm);

    // A unit change switches the limits off and says so once.
    m_program->panel().showFrame(
        MeterFrames::differenceFrame("68.0", "21.2", "J", QStringLiteral("\u00B0F")));
    QVERIFY(!m_program->alarms().limits().anyLimitOn());
    QCOMPARE(limitsChanged.size(), 2);
    QVERIFY(window->alarmText().endsWith(
        QStringLiteral("Alarm limits switched off: the meter now reads in \u00B0F")));
    QCOMPARE(window->unitText(), QStringLiteral("Limits in \u00B0F"));
}

QTEST_GUILESS_MAIN(TestAlarms)
#include "tst_alarms.moc"
