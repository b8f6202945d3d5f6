// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "e2e/virtual_meter.h"
#include "link/port_names.h"
#include "ui/desk.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

namespace {

QWidget *topLevel(const QString &name) {
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

// The program as a user starts it, with its real widgets and its real serial link: the port
// chooser's OK leads to the panel, which shows the virtual meter's live readings. (Under
// Wine: on a virtual screen, through the system's COM1.)
class TestPanelOnMeter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void panelShowsTheMetersReadings();

private:
    VirtualMeter m_meter;
};

void TestPanelOnMeter::initTestCase() {
    QVERIFY(m_meter.start());
}

void TestPanelOnMeter::panelShowsTheMetersReadings() {
    PortNames names;
    QVERIFY(names.addMapping(QStringLiteral("COM1=") + m_meter.link()));
    Desk desk(names);
    desk.start();

    QWidget *port = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((port = topLevel(QStringLiteral("Port"))) != nullptr, 10000);
    QVERIFY(QTest::qWaitForWindowExposed(port));
    auto *ok = port->findChild<QPushButton *>(QStringLiteral("CmdOK"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);

    QWidget *panel = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((panel = topLevel(QStringLiteral("Panel"))) != nullptr, 10000);
    QVERIFY(QTest::qWaitForWindowExposed(panel));
    const auto text = [panel](const char *name) {
        auto *label = panel->findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("(no %1)").arg(QLatin1String(name));
    };
    // A live frame: the port's name, a reading on each display, the unit's sign shown.
    static const QRegularExpression reading(QStringLiteral("^-?[0-9]+(\\.[0-9])?$"));
    QTRY_VERIFY_WITH_TIMEOUT(reading.match(text("LblMain")).hasMatch(), 10000);
    QVERIFY2(reading.match(text("LblSmall")).hasMatch(), qPrintable(text("LblSmall")));
    QCOMPARE(text("LblCOM"), QStringLiteral("COM1"));
    QCOMPARE(text("LblType"), QStringLiteral("K"));
    QVERIFY(panel->findChild<QLabel *>(QStringLiteral("ImaUpC"))->isVisible());

    // The readings follow the meter: its unit turned to °F shows at the next frames.
    m_meter.tell("unit F");
    QTRY_VERIFY_WITH_TIMEOUT(panel->findChild<QLabel *>(QStringLiteral("ImaUpF"))->isVisible(),
                             10000);
    panel->close();
}

QTEST_MAIN(TestPanelOnMeter)
#include "tst_panel_on_meter.moc"
