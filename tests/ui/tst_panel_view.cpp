// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "panel/panel_model.h"
#include "program/program.h"
#include "ui/panel.h"
#include "ui/port.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The real widgets, offscreen: the panel shows its model, the port chooser offers its names.
class TestPanelView : public QObject {
    Q_OBJECT

private slots:
    void panelShowsAFrame();
    void lblComClickTogglesTheTitle();
    void portChooserOffersSixteenNames();
};

void TestPanelView::panelShowsAFrame() {
    FakePlatform fakes;
    Program program(fakes.platform());
    program.choosePort(QStringLiteral("COM2"));
    Panel view(program.panel());
    QVERIFY(program.loadPanel());
    // The test shows its frames itself; a tick of the frame timer would find the fake
    // meter silent and wait for it without end (the fake pump's waits take no time).
    program.panel().stopTimers();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    const auto label = [&](const char *name) {
        auto *l = view.findChild<QLabel *>(QLatin1String(name));
        return l;
    };
    QCOMPARE(label("LblCOM")->text(), QStringLiteral("COM2"));
    QVERIFY(!label("ImaClock")->isVisible());
    QCOMPARE(label("LblType")->text(), QStringLiteral("K"));

    // T1-T2 on the main display, T1 on the small one, MAX shown, °F, clock symbol.
    program.panel().showFrame(QByteArray::fromHex("021030c144803480fd03"));
    QCOMPARE(label("LblMain")->text(), QStringLiteral("5.2"));
    QCOMPARE(label("LblSmall")->text(), QStringLiteral("25.3"));
    QCOMPARE(label("LblTime")->text(), QStringLiteral("10:30"));
    QCOMPARE(label("LblType")->text(), QStringLiteral("J"));
    for (const char *shown :
         {"LblUpT1", "LblDash", "LblUpT2", "LblDownT1", "ImaUpF", "ImaDownF", "ImaClock", "LblMax"})
        QVERIFY2(label(shown)->isVisible(), shown);
    for (const char *hidden : {"LblDownT2", "ImaUpC", "ImaDownC", "LblMin", "LblAvg", "LblM",
                               "LblH", "LblRec", "ImaRel", "ImaBt", "LblRecording"})
        QVERIFY2(!label(hidden)->isVisible(), hidden);
    QCOMPARE(label("LblMain")->font().pointSizeF(), 48.0);
    QCOMPARE(label("LblSmall")->font().pointSizeF(), 27.75);
    QVERIFY(label("LblMain")->font().bold());
    QCOMPARE(label("LblMain")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

void TestPanelView::lblComClickTogglesTheTitle() {
    FakePlatform fakes;
    Program program(fakes.platform());
    Panel view(program.panel());
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("Panel  V8.00"));
    QTest::mouseClick(view.findChild<QLabel *>(QStringLiteral("LblCOM")), Qt::LeftButton);
    QCOMPARE(view.windowTitle(), QStringLiteral("Panel  V8.00   120924"));
    QTest::mouseClick(view.findChild<QLabel *>(QStringLiteral("LblCOM")), Qt::LeftButton);
    QCOMPARE(view.windowTitle(), QStringLiteral("Panel  V8.00"));
}

void TestPanelView::portChooserOffersSixteenNames() {
    Port port([](int n) { return n == 1 ? QStringLiteral("/dev/ttyUSB0") : QString(); });
    QCOMPARE(port.windowTitle(), QStringLiteral("COM Port"));
    auto *combo = port.findChild<QComboBox *>(QStringLiteral("TxtCOM"));
    QCOMPARE(combo->count(), 16);
    QCOMPARE(combo->itemText(15), QStringLiteral("COM16"));
    QCOMPARE(combo->currentText(), QStringLiteral("COM1"));
    QVERIFY(port.findChild<QLabel *>(QStringLiteral("LblDevice"))->text().contains("/dev/ttyUSB0"));

    QSignalSpy chosen(&port, &Port::chosen);
    combo->setEditText(QStringLiteral("com1"));
    port.findChild<QPushButton *>(QStringLiteral("CmdOK"))->click();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen[0][0].toString(), QStringLiteral("com1"));
}

QTEST_MAIN(TestPanelView)
#include "tst_panel_view.moc"
