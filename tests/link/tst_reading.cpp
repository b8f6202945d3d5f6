// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "link/reading.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(Reading::Kind)

namespace {

using K = Reading::Kind;
constexpr int NotAReading = -1; // "kind as a record holds it": none

} // namespace

// Every rule of what a reading text stands for, in one table: how the graphs place it, its
// numeric value, whether a difference can be formed with it, and whether it is a reading as
// a record holds one. The text and its bytes (as a record list stores them) must agree.
class TestReading : public QObject {
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void numberBeyondADouble();
};

void TestReading::rules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<Reading::Kind>("kind"); // as the graphs place it
    QTest::addColumn<double>("value");       // the numeric value
    QTest::addColumn<bool>("difference");    // DifferenceText can subtract it
    QTest::addColumn<int>("recordKind");     // as a record holds it, or NotAReading

    // The reading texts the meter shows.
    QTest::newRow("number") << "25.3" << K::Number << 25.3 << true << int(K::Number);
    QTest::newRow("negative") << "-0.5" << K::Number << -0.5 << true << int(K::Number);
    QTest::newRow("whole") << "240" << K::Number << 240.0 << true << int(K::Number);
    QTest::newRow("minus zero") << "-0" << K::Number << 0.0 << true << int(K::Number);
    QTest::newRow("over range") << "OL" << K::Over << 0.0 << false << int(K::Over);
    QTest::newRow("under range") << "-OL" << K::Under << 0.0 << false << int(K::Under);
    QTest::newRow("no value") << "----" << K::NoValue << 0.0 << false << int(K::NoValue);

    // The numeric value: the decimal number at the start, after blanks.
    QTest::newRow("second point stops") << "1.2.3" << K::Number << 1.2 << true << NotAReading;
    QTest::newRow("letter stops") << "12a" << K::Number << 12.0 << true << NotAReading;
    QTest::newRow("leading blanks") << "   12" << K::Number << 12.0 << true << NotAReading;
    QTest::newRow("plus sign") << "+5" << K::Number << 5.0 << true << int(K::Number);
    QTest::newRow("point first") << ".5" << K::Number << 0.5 << true << int(K::Number);
    QTest::newRow("minus point") << "-.5" << K::Number << -0.5 << true << int(K::Number);
    QTest::newRow("point last") << "5." << K::Number << 5.0 << true << int(K::Number);
    QTest::newRow("two decimals") << "25.33" << K::Number << 25.33 << true << int(K::Number);
    QTest::newRow("leading zeros") << "0000012" << K::Number << 12.0 << true << int(K::Number);
    QTest::newRow("empty") << "" << K::Number << 0.0 << true << NotAReading;
    QTest::newRow("letters") << "abc" << K::Number << 0.0 << true << NotAReading;
    QTest::newRow("sign only") << "-" << K::Number << 0.0 << true << NotAReading;
    QTest::newRow("point only") << "." << K::Number << 0.0 << true << NotAReading;
    QTest::newRow("trailing blank") << "25.3 " << K::Number << 25.3 << true << NotAReading;

    // "----" anywhere is no value; "L" is over range, under range with a "-".
    QTest::newRow("no value within text") << "x----y" << K::NoValue << 0.0 << false << NotAReading;
    QTest::newRow("three dashes are a text") << "---" << K::Number << 0.0 << false << NotAReading;
    QTest::newRow("L after a number") << "12L" << K::Over << 12.0 << false << NotAReading;
    QTest::newRow("L after a minus number") << "-12L" << K::Under << -12.0 << false << NotAReading;
    QTest::newRow("lower-case ol") << "ol" << K::Number << 0.0 << true << NotAReading;
    QTest::newRow("OL with a blank") << " OL" << K::Over << 0.0 << false << NotAReading;

    // A difference is formed of no text holding "--", though the graphs read it as a number.
    QTest::newRow("double minus") << "--5" << K::Number << 0.0 << false << NotAReading;
}

void TestReading::rules() {
    QFETCH(QString, text);
    QFETCH(Reading::Kind, kind);
    QFETCH(double, value);
    QFETCH(bool, difference);
    QFETCH(int, recordKind);
    const QByteArray bytes = text.toLatin1();

    const Reading fromText = Reading::of(QStringView(text));
    const Reading fromBytes = Reading::of(QByteArrayView(bytes));
    QCOMPARE(fromText.kind, kind);
    QCOMPARE(fromBytes, fromText);
    if (kind == K::Number)
        QCOMPARE(fromText.value, value);

    QCOMPARE(Reading::numericValue(QStringView(text)), value);
    QCOMPARE(Reading::numericValue(QByteArrayView(bytes)), value);
    QCOMPARE(Reading::formsDifference(text), difference);

    const std::optional<K> expected =
        recordKind == NotAReading ? std::nullopt : std::optional<K>(K(recordKind));
    QCOMPARE(Reading::kindOf(QStringView(text)), expected);
    QCOMPARE(Reading::kindOf(QByteArrayView(bytes)), expected);
}

void TestReading::numberBeyondADouble() {
    // Too long for a double: no number, 0, and ok says so (the range boxes refuse it).
    const QString nines(400, QLatin1Char('9'));
    bool ok = true;
    QCOMPARE(Reading::numericValue(QStringView(nines), &ok), 0.0);
    QVERIFY(!ok);
    const QByteArray bytes = nines.toLatin1();
    ok = true;
    QCOMPARE(Reading::numericValue(QByteArrayView(bytes), &ok), 0.0);
    QVERIFY(!ok);
    QCOMPARE(Reading::of(QStringView(nines)), (Reading{K::Number, 0.0}));
    QVERIFY(Reading::numericValue(QStringView(u"12"), &ok) == 12.0 && ok);
}

QTEST_GUILESS_MAIN(TestReading)
#include "tst_reading.moc"
