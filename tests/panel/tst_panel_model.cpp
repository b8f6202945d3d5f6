// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "program/program.h"

#include <QTest>

namespace {

const QByteArray Frame = QByteArray::fromHex("020945810080fd00f003");
const QByteArray OtherFrame = QByteArray::fromHex("021230400000640080c803");
const QByteArray Noise = QByteArray::fromHex("0102030405060708090a0b");

// A frame with the given status bytes and reading words.
QByteArray frame(int statusA, int statusB, int mainWord, int smallWord) {
    QByteArray f(10, 0);
    f[0] = 0x02;
    f[1] = 0x12;
    f[2] = 0x00;
    f[3] = char(statusA);
    f[4] = char(statusB);
    f[5] = char(mainWord >> 8);
    f[6] = char(mainWord & 0xFF);
    f[7] = char(smallWord >> 8);
    f[8] = char(smallWord & 0xFF);
    f[9] = 0x03;
    return f;
}

} // namespace

// The main window's model: showing frames and the frame timer's read loop.
class TestPanelModel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsTheWorkedFrame();
    void displayAssignment_data();
    void displayAssignment();
    void fahrenheitFrame();

    void tickReadLoop_data();
    void tickReadLoop();
    void waitForMeterStopsAndRestartsBothTimers();
    void quittingDuringTheWaitEndsTheTick();
    void dumpMarkerIsHandedOn();

    void loadOpensThePortAndResetsFlags();
    void loadFailureTellsTheUser_data();
    void loadFailureTellsTheUser();
    void lblComTogglesTheCaption();

private:
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    PanelModel *m_panel = nullptr;
};

void TestPanelModel::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform());
    m_panel = &m_program->panel();
    m_program->choosePort(QStringLiteral("COM3"));
    QVERIFY(m_program->loadPanel());
}

void TestPanelModel::cleanup() {
    m_program.reset();
    m_fakes.reset();
}

void TestPanelModel::showsTheWorkedFrame() {
    m_panel->showFrame(Frame);
    const PanelDisplay &d = m_panel->display();
    const LiveValues &s = m_panel->live();
    QCOMPARE(d.LblTime.text, QStringLiteral("09:45"));
    QVERIFY(d.ImaClock.visible);
    QCOMPARE(d.LblType.text, QStringLiteral("J"));
    QCOMPARE(s.UnitText, QStringLiteral("\u00B0C"));
    QVERIFY(d.ImaUpC.visible && d.ImaDownC.visible && !d.ImaUpF.visible && !d.ImaDownF.visible);
    QCOMPARE(d.LblMain.text, QStringLiteral("25.3"));
    QCOMPARE(d.LblSmall.text, QStringLiteral("240"));
    QCOMPARE(s.T1Text, QStringLiteral("25.3"));
    QCOMPARE(s.T2Text, QStringLiteral("240"));
    QCOMPARE(s.DiffText, QStringLiteral("-214.7"));
    QVERIFY(d.LblUpT1.visible && d.LblDownT2.visible);
    QVERIFY(!d.LblDash.visible && !d.LblUpT2.visible && !d.LblDownT1.visible);
    QVERIFY(!d.LblMax.visible && !d.LblMin.visible && !d.LblAvg.visible && !d.LblM.visible);
}

void TestPanelModel::displayAssignment_data() {
    QTest::addColumn<int>("statusB");
    QTest::addColumn<int>("mainWord");
    QTest::addColumn<int>("smallWord");
    QTest::addColumn<QString>("marks");     // visible marks: Up T1, Dash, Up T2, Down T1, Down T2
    QTest::addColumn<QStringList>("texts"); // LblMain, LblSmall, T1, T2, T1-T2
    QTest::newRow("diff on main, T1 small")
        << 0x04 << 0x8034 << 0x80FD << "11110" << QStringList{"5.2", "25.3", "25.3", "20.1", "5.2"};
    QTest::newRow("diff on main, T1 over range")
        << 0x04 << 0x8034 << 0xBF00 << "11110" << QStringList{"5.2", "OL", "OL", "----", "5.2"};
    QTest::newRow("diff on main, T2 small")
        << 0x06 << 0x8034 << 0x80C9 << "11101" << QStringList{"5.2", "20.1", "25.3", "20.1", "5.2"};
    QTest::newRow("T2 on main") << 0x08 << 0x8064 << 0x80C8 << "00110"
                                << QStringList{"10.0", "20.0", "20.0", "10.0", "10.0"};
    QTest::newRow("T1 on main, bit 1 ignored")
        << 0x02 << 0x80FD << 0x00F0 << "10001"
        << QStringList{"25.3", "240", "25.3", "240", "-214.7"};
    QTest::newRow("no value on T2") << 0x00 << 0x80FD << 0xFFFF << "10001"
                                    << QStringList{"25.3", "----", "25.3", "----", "----"};
}

void TestPanelModel::displayAssignment() {
    QFETCH(int, statusB);
    QFETCH(int, mainWord);
    QFETCH(int, smallWord);
    QFETCH(QString, marks);
    QFETCH(QStringList, texts);

    m_panel->showFrame(frame(0x81, statusB, mainWord, smallWord));
    const PanelDisplay &d = m_panel->display();
    const LiveValues &s = m_panel->live();
    QString shown;
    for (const DisplayElement *mark :
         {&d.LblUpT1, &d.LblDash, &d.LblUpT2, &d.LblDownT1, &d.LblDownT2})
        shown += mark->visible ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(shown, marks);
    QCOMPARE((QStringList{d.LblMain.text, d.LblSmall.text, s.T1Text, s.T2Text, s.DiffText}), texts);
}

void TestPanelModel::fahrenheitFrame() {
    m_panel->showFrame(frame(0x81, 0xF0, 0x80FD, 0x00F0)); // °C first, all indicators on
    m_panel->showFrame(frame(0x40, 0x00, 0x80FD, 0x00F0));
    const PanelDisplay &d = m_panel->display();
    QVERIFY(d.ImaUpF.visible && d.ImaDownF.visible && !d.ImaUpC.visible && !d.ImaDownC.visible);
    QCOMPARE(m_panel->live().UnitText, QStringLiteral("\u00B0F"));
    QCOMPARE(d.LblType.text, QStringLiteral("K"));
    QVERIFY(!d.ImaClock.visible);
    QVERIFY(!d.LblMax.visible && !d.LblMin.visible && !d.LblAvg.visible && !d.LblM.visible);
}

void TestPanelModel::tickReadLoop_data() {
    QTest::addColumn<QByteArrayList>("reads");
    QTest::addColumn<QString>("mainText"); // empty: no frame shown
    QTest::addColumn<bool>("waitedForMeter");

    const QByteArray shortRead = QByteArray::fromHex("0209");
    QByteArrayList twentyShort;
    for (int i = 0; i < 20; ++i)
        twentyShort << shortRead;

    QTest::newRow("20 short reads, then a frame")
        << (twentyShort + QByteArrayList{Frame}) << "25.3" << false;
    QTest::newRow("21 short reads")
        << (twentyShort + QByteArrayList{shortRead, Frame}) << "" << true;
    QTest::newRow("noise is not counted")
        << (twentyShort + QByteArrayList{Noise, Noise, Frame}) << "25.3" << false;
    QTest::newRow("noise does not reset the count")
        << (QByteArrayList{shortRead, Noise} + twentyShort + QByteArrayList{Frame}) << "" << true;
    QTest::newRow("two frames in one read show the first")
        << QByteArrayList{Frame + OtherFrame} << "25.3" << false;
}

void TestPanelModel::tickReadLoop() {
    QFETCH(QByteArrayList, reads);
    QFETCH(QString, mainText);
    QFETCH(bool, waitedForMeter);

    m_fakes->serial.reads = reads;
    // Whatever the read loop leaves behind ends the wait for the meter.
    bool sawNoCom = false;
    m_fakes->pump.onWait = [&](int) {
        sawNoCom |= m_panel->display().LblCOM.text == QLatin1String("No COM");
        if (m_fakes->serial.reads.isEmpty())
            m_fakes->serial.queue(OtherFrame);
    };
    m_panel->frameTick();

    QCOMPARE(m_panel->display().LblMain.text, mainText);
    QCOMPARE(sawNoCom, waitedForMeter);
    QCOMPARE(m_panel->display().LblCOM.text, QStringLiteral("COM3"));
    // The frame that ends the wait is not decoded.
    if (waitedForMeter)
        QVERIFY(m_panel->live().T1Text.isEmpty());
}

void TestPanelModel::waitForMeterStopsAndRestartsBothTimers() {
    QVERIFY(m_panel->timers().running());
    bool stoppedWhileWaiting = true;
    int waitsInWait = 0;
    m_fakes->pump.onWait = [&](int) {
        stoppedWhileWaiting &= !m_panel->timers().running();
        QCOMPARE(m_panel->display().LblCOM.text, QStringLiteral("No COM"));
        // A dump marker is not a sign of the meter; the fifth read brings a frame.
        if (++waitsInWait == 2)
            m_fakes->serial.queue(QByteArray(10, char(0xAA)));
        if (waitsInWait == 5)
            m_fakes->serial.queue(Frame);
    };
    m_panel->waitForMeter();
    QVERIFY(stoppedWhileWaiting);
    QCOMPARE(waitsInWait, 5);
    QCOMPARE(m_fakes->pump.waitedSeconds, 5 * 0.2);
    QCOMPARE(m_panel->display().LblCOM.text, QStringLiteral("COM3"));
    QVERIFY(m_panel->timers().running());
}

void TestPanelModel::quittingDuringTheWaitEndsTheTick() {
    // The main window closes while the tick sits in the wait for a silent meter.
    m_fakes->pump.onWait = [&](int waits) {
        if (waits == 30)
            m_program->quit();
    };
    m_panel->frameTick();
    QCOMPARE(m_fakes->pump.waits, 30);
    QVERIFY(!m_panel->timers().running());
    QVERIFY(!m_fakes->serial.isOpen());
}

void TestPanelModel::dumpMarkerIsHandedOn() {
    int received = 0;
    connect(m_panel, &PanelModel::dumpMarker, this, [&] { ++received; });
    m_fakes->serial.queue(QByteArray(10, char(0xAA)));
    m_panel->frameTick();
    QCOMPARE(received, 1);
    QVERIFY(m_panel->display().LblMain.text.isEmpty());
}

void TestPanelModel::loadOpensThePortAndResetsFlags() {
    QCOMPARE(m_fakes->serial.openedPort, 3);
    QCOMPARE(m_panel->display().LblCOM.text, QStringLiteral("COM3"));
    QCOMPARE(m_panel->caption(), QStringLiteral("Panel  V8.00"));
    QCOMPARE(m_panel->findChild<QTimer *>(QStringLiteral("Timer1"))->interval(), 150);
    QCOMPARE(m_panel->findChild<QTimer *>(QStringLiteral("Timer2"))->interval(), 1000);
    QVERIFY(!m_program->ListOpen() && !m_program->recorder().Recording());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPanelModel::loadFailureTellsTheUser_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("existingPorts");
    QTest::newRow("lower case name") << "com1" << 16;
    QTest::newRow("COM17") << "COM17" << 16;
    QTest::newRow("port that cannot be opened") << "COM2" << 1;
}

void TestPanelModel::loadFailureTellsTheUser() {
    QFETCH(QString, chosen);
    QFETCH(int, existingPorts);
    FakePlatform fakes;
    fakes.serial.existingPorts = existingPorts;
    Program program(fakes.platform());
    program.choosePort(chosen);
    QVERIFY(!program.loadPanel());
    QCOMPARE(fakes.dialogs.messages.size(), 1);
    QCOMPARE(fakes.dialogs.messages[0].text, QStringLiteral("No device found, try again!"));
    QCOMPARE(fakes.dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QVERIFY(!program.panel().timers().running());
}

void TestPanelModel::lblComTogglesTheCaption() {
    m_panel->clickLblCOM();
    QCOMPARE(m_panel->caption(), QStringLiteral("Panel  V8.00   120924"));
    m_panel->clickLblCOM();
    QCOMPARE(m_panel->caption(), QStringLiteral("Panel  V8.00"));
}

QTEST_GUILESS_MAIN(TestPanelModel)
#include "tst_panel_model.moc"
