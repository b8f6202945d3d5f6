// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/windows1252.h"

#include <QTest>

class TestWindows1252 : public QObject {
    Q_OBJECT

private slots:
    void highControls_data();
    void highControls();
    void everyByteRoundTrips();
    void unencodable_data();
    void unencodable();
};

void TestWindows1252::highControls_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");

    const int characters[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int i = 0; i < 32; ++i)
        QTest::addRow("0x%X", 0x80 + i) << 0x80 + i << characters[i];
}

void TestWindows1252::highControls() {
    QFETCH(int, byte);
    QFETCH(int, character);
    const QByteArray bytes(1, char(byte));
    QCOMPARE(Windows1252::decode(bytes), QString(QChar(character)));
    QCOMPARE(Windows1252::encode(QString(QChar(character))), bytes);
}

void TestWindows1252::everyByteRoundTrips() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Windows1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0xB0), QChar(0x00B0)); // the degree sign of "°C"
    QCOMPARE(Windows1252::encode(text), all);
}

void TestWindows1252::unencodable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("ascii") << "K Type" << QByteArray("K Type");
    QTest::newRow("latin-1 and euro") << QString::fromUtf8("25.3°C €")
                                      << QByteArray("25.3\xB0"
                                                    "C \x80");
    QTest::newRow("outside the code page") << QString::fromUtf8("aĀb") << QByteArray("a?b");
    QTest::newRow("C1 control with a character at its byte")
        << QString(QChar(0x0080)) << QByteArray("?");
    QTest::newRow("pair beyond the BMP is one character")
        << QString::fromUtf8("x\xF0\x9F\x8C\xA1y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "z" << QByteArray("?z");
}

void TestWindows1252::unencodable() {
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(Windows1252::encode(text), expected);
}

QTEST_GUILESS_MAIN(TestWindows1252)
#include "tst_windows1252.moc"
