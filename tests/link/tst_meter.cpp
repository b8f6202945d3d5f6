// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/meter.h"

#include <QTest>

// Frame recognition, status bytes, reading words and differences, from the meter's
// worked examples.
class TestMeter : public QObject {
    Q_OBJECT

private slots:
    void classifyRead_data();
    void classifyRead();
    void meterSign_data();
    void meterSign();
    void readingText_data();
    void readingText();
    void differenceText_data();
    void differenceText();
    void statusA_data();
    void statusA();
    void statusB();
    void clockText();
};

void TestMeter::classifyRead_data() {
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<Meter::ReadKind>("kind");
    using K = Meter::ReadKind;
    QTest::newRow("empty") << QByteArray() << K::Short;
    QTest::newRow("nine bytes starting 02")
        << QByteArray::fromHex("020945810080fd00f0") << K::Short;
    QTest::newRow("frame") << QByteArray::fromHex("020945810080fd00f003") << K::LiveFrame;
    QTest::newRow("frame + two AA")
        << QByteArray::fromHex("020945810080fd00f003aaaa") << K::LiveFrame;
    QTest::newRow("two frames") << QByteArray::fromHex("020945810080fd00f003020945810080fd00f003")
                                << K::LiveFrame;
    QTest::newRow("marker") << QByteArray(10, char(0xAA)) << K::DumpMarker;
    QTest::newRow("AA first, rest anything")
        << QByteArray::fromHex("aa0102030405060708") + "x" << K::DumpMarker;
    QTest::newRow("frame ending in five AA")
        << QByteArray::fromHex("020945810080fd00f003aaaaaaaaaa") << K::DumpMarker;
    QTest::newRow("02 without 03 tenth") << QByteArray::fromHex("020945810080fd00f004") << K::Noise;
    QTest::newRow("five AA but not accepted")
        << QByteArray::fromHex("0109aaaaaaaaaa0000000000aaaaaaaaaa") << K::Noise;
    QTest::newRow("misaligned frame")
        << QByteArray::fromHex("0080fd00f003020945810080") << K::Noise;
}

void TestMeter::classifyRead() {
    QFETCH(QByteArray, read);
    QFETCH(Meter::ReadKind, kind);
    QCOMPARE(Meter::classifyRead(read), kind);
}

void TestMeter::meterSign_data() {
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<bool>("sign");
    QTest::newRow("frame") << QByteArray::fromHex("020945810080fd00f003") << true;
    QTest::newRow("frame ending in marker")
        << QByteArray::fromHex("020945810080fd00f003aaaaaaaaaa") << true;
    QTest::newRow("marker") << QByteArray(10, char(0xAA)) << false;
    QTest::newRow("short") << QByteArray::fromHex("0209458100") << false;
}

void TestMeter::meterSign() {
    QFETCH(QByteArray, read);
    QFETCH(bool, sign);
    QCOMPARE(Meter::isMeterSign(read), sign);
}

void TestMeter::readingText_data() {
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<QString>("text");
    QTest::newRow("25.3") << 0x80 << 0xFD << "25.3";
    QTest::newRow("240") << 0x00 << 0xF0 << "240";
    QTest::newRow("-0.5") << 0xC0 << 0x05 << "-0.5";
    QTest::newRow("-0 without point") << 0x40 << 0x00 << "-0";
    QTest::newRow("0.0") << 0x80 << 0x00 << "0.0";
    QTest::newRow("1.0") << 0x80 << 0x0A << "1.0";
    QTest::newRow("largest magnitude") << 0x3F << 0xFF << "16383";
    QTest::newRow("largest with point") << 0xBF << 0xFF << "1638.3";
    QTest::newRow("no value") << 0xFF << 0xFF << "----";
    QTest::newRow("under range") << 0xFF << 0x00 << "-OL";
    QTest::newRow("over range") << 0xBF << 0x00 << "OL";
    QTest::newRow("0x7F00") << 0x7F << 0x00 << "-16128";
}

void TestMeter::readingText() {
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(QString, text);
    QCOMPARE(Meter::ReadingText(quint8(high), quint8(low)), text);
}

void TestMeter::differenceText_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("result");
    QTest::newRow("25.3 - 240") << "25.3"
                                << "240" << -1 << "-214.7";
    QTest::newRow("20.0 - 20.5") << "20.0"
                                 << "20.5" << -1 << "-0.5";
    QTest::newRow("-0.5 - 0.5") << "-0.5"
                                << "0.5" << -1 << "-1.0";
    QTest::newRow("no decimals in") << "253"
                                    << "201" << -1 << "52.0";
    QTest::newRow("zero") << "20.1"
                          << "20.1" << -1 << "0.0";
    QTest::newRow("sum") << "20.1"
                         << "5.2" << +1 << "25.3";
    QTest::newRow("25.3 - 5.2") << "25.3"
                                << "5.2" << -1 << "20.1";
    QTest::newRow("over range") << "25.3"
                                << "OL" << -1 << "----";
    QTest::newRow("under range") << "-OL"
                                 << "25.3" << -1 << "----";
    QTest::newRow("no value") << "----"
                              << "25.3" << +1 << "----";
    QTest::newRow("10 tenths") << "1.0"
                               << "0" << -1 << "1.0";
}

void TestMeter::differenceText() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    QFETCH(QString, result);
    QCOMPARE(Meter::DifferenceText(a, b, sign), result);
}

void TestMeter::statusA_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("clock");
    QTest::newRow("0x81: clock, °C, J") << 0x81 << "\u00B0C"
                                        << "J" << true;
    QTest::newRow("0x40: °F, K") << 0x40 << "\u00B0F"
                                 << "K" << false;
    QTest::newRow("0xC0: °F, J") << 0xC0 << "\u00B0F"
                                 << "J" << false;
    QTest::newRow("0x00: °C, K") << 0x00 << "\u00B0C"
                                 << "K" << false;
}

void TestMeter::statusA() {
    QFETCH(int, byte);
    QFETCH(QString, unit);
    QFETCH(QString, type);
    QFETCH(bool, clock);
    LiveValues live;
    Meter::DecodeStatusA(quint8(byte), live);
    QCOMPARE(live.UnitText, unit);
    QCOMPARE(live.TypeText, type);
    QCOMPARE(live.status.ShowClock, clock);
    QCOMPARE(live.status.Fahrenheit, bool(byte & 0x40));
    QCOMPARE(live.status.TypeJ, bool(byte & 0x80));

    Meter::DecodeStatusA(0x3C, live); // REL, battery, H, REC; bit 1 unused
    QVERIFY(live.status.ShowRel && live.status.ShowBt && live.status.ShowH && live.status.ShowRec);
    QVERIFY(!live.status.ShowClock);
}

void TestMeter::statusB() {
    LiveValues live;
    Meter::DecodeStatusB(0xFE, live);
    const MeterStatus &s = live.status;
    QVERIFY(s.SmallShowsT2 && s.MainShowsDiff && s.MainShowsT2 && s.ShowAvg && s.ShowMin &&
            s.ShowMax && s.ShowM);
    Meter::DecodeStatusB(0x01, live); // bit 0 is not used
    QVERIFY(!s.SmallShowsT2 && !s.MainShowsDiff && !s.MainShowsT2 && !s.ShowAvg && !s.ShowMin &&
            !s.ShowMax && !s.ShowM);
    Meter::DecodeStatusB(0x50, live);
    QVERIFY(s.ShowAvg && s.ShowMax && !s.ShowMin && !s.ShowM);
    // Status byte B leaves the unit and type alone.
    QVERIFY(live.UnitText.isEmpty() && live.TypeText.isEmpty());
}

void TestMeter::clockText() {
    QCOMPARE(Meter::ClockText(0x09, 0x45), QStringLiteral("09:45"));
    QCOMPARE(Meter::ClockText(0x1A, 0x00), QStringLiteral("1A:00"));
}

QTEST_GUILESS_MAIN(TestMeter)
#include "tst_meter.moc"
