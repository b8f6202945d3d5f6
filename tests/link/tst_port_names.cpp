// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/port_choice.h"
#include "link/port_names.h"

#include <QTest>

// The chooser's exact matching and the mapping of its names to devices.
class TestPortNames : public QObject {
    Q_OBJECT

private slots:
    void portNumberOf_data();
    void portNumberOf();
    void presentDevicesInStableOrder();
    void mappingsWin();
    void badMappingsAreRefused_data();
    void badMappingsAreRefused();
};

void TestPortNames::portNumberOf_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("COM1") << "COM1" << 1;
    QTest::newRow("COM16") << "COM16" << 16;
    QTest::newRow("lower case") << "com1" << 0;
    QTest::newRow("COM17") << "COM17" << 0;
    QTest::newRow("COM0") << "COM0" << 0;
    QTest::newRow("trailing blank") << "COM1 " << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestPortNames::portNumberOf() {
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(PortChoice::portNumberOf(text), number);
    QCOMPARE(PortChoice::items().size(), 16);
}

void TestPortNames::presentDevicesInStableOrder() {
    PortNames names;
    names.setPresentDevices({"/dev/ttyUSB10", "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyS0"});
#ifndef Q_OS_WIN
    QCOMPARE(names.deviceFor(1), QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(names.deviceFor(2), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(names.deviceFor(3), QStringLiteral("/dev/ttyUSB2"));
    QCOMPARE(names.deviceFor(4), QStringLiteral("/dev/ttyUSB10"));
    QCOMPARE(names.deviceFor(5), QString());
#endif
    QCOMPARE(names.deviceFor(0), QString());
}

void TestPortNames::mappingsWin() {
    PortNames names;
    names.setPresentDevices({"/dev/ttyUSB0"});
    QVERIFY(names.addMapping("COM1=/tmp/meter"));
    QVERIFY(names.addMapping("COM16=/dev/serial/by-id/usb-x=y"));
    QCOMPARE(names.deviceFor(1), QStringLiteral("/tmp/meter"));
    QCOMPARE(names.deviceFor(16), QStringLiteral("/dev/serial/by-id/usb-x=y"));
}

void TestPortNames::badMappingsAreRefused_data() {
    QTest::addColumn<QString>("argument");
    QTest::newRow("no equals") << "COM1";
    QTest::newRow("no device") << "COM1=";
    QTest::newRow("COM17") << "COM17=/dev/ttyS0";
    QTest::newRow("lower case") << "com1=/dev/ttyS0";
}

void TestPortNames::badMappingsAreRefused() {
    QFETCH(QString, argument);
    PortNames names;
    QVERIFY(!names.addMapping(argument));
}

QTEST_GUILESS_MAIN(TestPortNames)
#include "tst_port_names.moc"
