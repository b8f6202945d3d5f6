#include "adapters/qt_clock.h"
#include "adapters/qt_event_pump.h"
#include "adapters/qt_serial_link.h"
#include "fakes/fake_busy_pointer.h"
#include "fakes/fake_dialogs.h"
#include "panel/panel_model.h"
#include "program/program.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The program on the real serial adapter and event pump, its COM1 mapped to the meter.
struct LinkedProgram {
    explicit LinkedProgram(const QString &meter)
        : serial(names(meter)) {
        program.choosePort(QStringLiteral("COM1"));
    }
    static PortNames names(const QString &meter) {
        PortNames names;
        names.addMapping(QStringLiteral("COM1=") + meter);
        return names;
    }

    QtSerialLink serial;
    QtEventPump pump;
    FakeDialogs dialogs;
    QtClock clock;
    FakeBusyPointer pointer;
    Program program{platform()};

    Platform platform() {
        Platform p;
        p.serial = &serial;
        p.pump = &pump;
        p.dialogs = &dialogs;
        p.clock = &clock;
        p.pointer = &pointer;
        return p;
    }
};

} // namespace

// The real serial adapter against the virtual meter on a pseudo-terminal.
class TestMeterLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void followsTheMeter();
    void quitWhileWaitingForTheMeter();
    void framesGoOnWhileADialogIsOpen();

private:
    void tell(const char *command);

    QTemporaryDir m_dir;
    QProcess m_sim;
    QString m_link;
};

void TestMeterLink::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_link = m_dir.filePath(QStringLiteral("meter"));
    m_sim.setProgram(QStringLiteral(METER_SIM_PATH));
    m_sim.setArguments({"--link", m_link, "--quiet", "--interval", "300"});
    m_sim.start();
    QVERIFY(m_sim.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_link), 5000);
}

void TestMeterLink::cleanupTestCase() {
    tell("quit");
    if (!m_sim.waitForFinished(3000))
        m_sim.kill();
}

void TestMeterLink::tell(const char *command) {
    m_sim.write(QByteArray(command) + '\n');
    m_sim.waitForBytesWritten(1000);
}

void TestMeterLink::followsTheMeter() {
    LinkedProgram linked(m_link);
    Program &program = linked.program;
    QtSerialLink &serial = linked.serial;
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
            tell("silence off");
        } else if (seen.size() == 3) { // back to "COM1"
            tell("unplug");
        } else if (seen.size() == 4) { // "No COM" while unplugged
            brokenWhileUnplugged = serial.broken();
            tell("unit F");
            tell("replug");
        }
    });
    seen << com();
    tell("silence on");
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 5, 40000);
    QCOMPARE(seen, (QStringList{"COM1", "No COM", "COM1", "No COM", "COM1"}));
    QVERIFY(brokenWhileUnplugged);
    QVERIFY(!serial.broken());
    QTRY_COMPARE_WITH_TIMEOUT(program.panel().live().UnitText, QStringLiteral("\u00B0F"), 5000);
    QVERIFY(program.panel().Timer1().isActive());

    program.quit();
    QVERIFY(!serial.isOpen());
}

void TestMeterLink::quitWhileWaitingForTheMeter() {
    LinkedProgram linked(m_link);
    Program &program = linked.program;
    QtSerialLink &serial = linked.serial;
    QtEventPump &pump = linked.pump;
    QVERIFY(program.loadPanel());

    // The main window closes while the panel waits for a silent meter: the wait ends, the
    // port is closed.
    connect(&program.panel(), &PanelModel::displayChanged, this, [&] {
        if (program.panel().display().LblCOM.text == QLatin1String("No COM"))
            QTimer::singleShot(300, &program, &Program::quit);
    });
    tell("silence on");
    QTRY_VERIFY_WITH_TIMEOUT(pump.quitting(), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!serial.isOpen(), 2000);
    QVERIFY(!program.panel().Timer1().isActive() && !program.panel().Timer2().isActive());
    tell("silence off");
}

void TestMeterLink::framesGoOnWhileADialogIsOpen() {
    LinkedProgram linked(m_link);
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
