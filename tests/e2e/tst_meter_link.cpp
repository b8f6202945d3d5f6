// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "e2e/linked_program.h"
#include "e2e/virtual_meter.h"
#include "panel/panel_model.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// The real serial adapter against the virtual meter on a pseudo-terminal.
class TestMeterLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void followsTheMeter();
    void quitWhileWaitingForTheMeter();
    void framesGoOnWhileADialogIsOpen();

private:
    VirtualMeter m_meter;
};

void TestMeterLink::initTestCase() {
    QVERIFY(m_meter.start());
}

void TestMeterLink::followsTheMeter() {
    LinkedProgram linked(m_meter.link());
    Program &program = linked.program;
    NativeSerialLink &serial = linked.serial;
    QVERIFY(program.loadPanel());
    const PanelDisplay &display = program.panel().display();
    const auto com = [&] { return display.LblCOM.text; };

    // A frame is shown.
    QTRY_VERIFY_WITH_TIMEOUT(!display.LblMain.text.isEmpty(), 5000);
    QCOMPARE(com(), QStringLiteral("COM1"));
    QVERIFY(program.panel().live().UnitText == QStringLiteral("\u00B0C"));
    QVERIFY(!program.panel().live().T1Text.isEmpty() && !program.panel().live().DiffText.isEmpty());

    // The test reacts to what the panel shows while it waits for a silent or unplugged
    // meter, as a user would.
    QStringList seen;
    bool brokenWhileUnplugged = false;
    connect(&program.panel(), &PanelModel::displayChanged, this, [&] {
        if (!seen.isEmpty() && seen.constLast() == com())
            return;
        seen << com();
        if (seen.size() == 2) { // "No COM" after silence
            m_meter.tell("silence off");
        } else if (seen.size() == 3) { // back to "COM1"
            m_meter.tell("unplug");
        } else if (seen.size() == 4) { // "No COM" while unplugged
            brokenWhileUnplugged = serial.broken();
            m_meter.tell("unit F");
            m_meter.tell("replug");
        }
    });
    seen << com();
    m_meter.tell("silence on");
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 5, 40000);
    QCOMPARE(seen, (QStringList{"COM1", "No COM", "COM1", "No COM", "COM1"}));
    QVERIFY(brokenWhileUnplugged);
    QVERIFY(!serial.broken());
    QTRY_COMPARE_WITH_TIMEOUT(program.panel().live().UnitText, QStringLiteral("\u00B0F"), 5000);
    QVERIFY(program.panel().timers().running());

    program.quit();
    QVERIFY(!serial.isOpen());
}

void TestMeterLink::quitWhileWaitingForTheMeter() {
    LinkedProgram linked(m_meter.link());
    Program &program = linked.program;
    NativeSerialLink &serial = linked.serial;
    EventPump &pump = linked.platform.pump();
    QVERIFY(program.loadPanel());

    // The main window closes while the panel waits for a silent meter: the wait ends, the
    // port is closed.
    connect(&program.panel(), &PanelModel::displayChanged, this, [&] {
        if (program.panel().display().LblCOM.text == QLatin1String("No COM"))
            QTimer::singleShot(300, &program, &Program::quit);
    });
    m_meter.tell("silence on");
    QTRY_VERIFY_WITH_TIMEOUT(pump.quitting(), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!serial.isOpen(), 2000);
    QVERIFY(!program.panel().timers().running());
    m_meter.tell("silence off");
}

void TestMeterLink::framesGoOnWhileADialogIsOpen() {
    LinkedProgram linked(m_meter.link());
    Program &program = linked.program;
    QVERIFY(program.loadPanel());
    QTRY_VERIFY_WITH_TIMEOUT(!program.panel().display().LblMain.text.isEmpty(), 5000);

    // A click opens a modal dialog (its own event loop) at a moment the frame timer chose:
    // the frames read while it is open keep the live values, and so the samples, current.
    int framesDuringTheDialog = -1;
    QTimer::singleShot(500, this, [&] {
        int frames = 0;
        const auto counting =
            connect(&program.panel(), &PanelModel::displayChanged, this, [&] { ++frames; });
        QEventLoop dialog;
        QTimer::singleShot(2000, &dialog, &QEventLoop::quit);
        dialog.exec();
        disconnect(counting);
        framesDuringTheDialog = frames;
    });
    QTRY_VERIFY_WITH_TIMEOUT(framesDuringTheDialog >= 0, 10000);
    QVERIFY2(framesDuringTheDialog >= 3, qPrintable(QString::number(framesDuringTheDialog)));
    program.quit();
}

QTEST_GUILESS_MAIN(TestMeterLink)
#include "tst_meter_link.moc"
