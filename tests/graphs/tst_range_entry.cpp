// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/range_entry.h"

#include <QTest>

#include <optional>

Q_DECLARE_METATYPE(RangeEntry::Kind)

// The range panels' text boxes: the characters they take and the numbers they stand for.
class TestRangeEntry : public QObject {
    Q_OBJECT

private slots:
    void keeps_data();
    void keeps();
    void value_data();
    void value();
    void decimalText_data();
    void decimalText();
    void roundsHalfToEven();
};

void TestRangeEntry::keeps_data() {
    QTest::addColumn<RangeEntry::Kind>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    const auto decimal = RangeEntry::Kind::Decimal;
    const auto whole = RangeEntry::Kind::Whole;
    for (const auto &[kind, name] : {std::pair{decimal, "Max/Min"}, std::pair{whole, "Counts"}}) {
        const QByteArray prefix = QByteArray(name) + ": ";
        QTest::newRow(prefix + "digit 0") << kind << "0" << true;
        QTest::newRow(prefix + "digit 9") << kind << "9" << true;
        QTest::newRow(prefix + "Backspace") << kind << "\b" << true;
        QTest::newRow(prefix + "Enter") << kind << "\r" << true;
        QTest::newRow(prefix + "letter") << kind << "a" << false;
        QTest::newRow(prefix + "e") << kind << "e" << false;
        QTest::newRow(prefix + "blank") << kind << " " << false;
        QTest::newRow(prefix + "comma") << kind << "," << false;
        QTest::newRow(prefix + "plus") << kind << "+" << false;
    }
    QTest::newRow("Max/Min: minus") << decimal << "-" << true;
    QTest::newRow("Max/Min: point") << decimal << "." << true;
    QTest::newRow("Counts: minus") << whole << "-" << false;
    QTest::newRow("Counts: point") << whole << "." << false;
}

void TestRangeEntry::keeps() {
    QFETCH(RangeEntry::Kind, kind);
    QFETCH(QString, typed);
    QTEST(RangeEntry::keeps(kind, typed.front()), "kept");
}

void TestRangeEntry::value_data() {
    QTest::addColumn<RangeEntry::Kind>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("number");
    const auto decimal = RangeEntry::Kind::Decimal;
    const auto whole = RangeEntry::Kind::Whole;
    QTest::newRow("whole") << decimal << "1400" << true << 1400.0;
    QTest::newRow("negative") << decimal << "-310" << true << -310.0;
    QTest::newRow("decimal") << decimal << "12.5" << true << 12.5;
    QTest::newRow("two points: the leading number") << decimal << "1.2.3" << true << 1.2;
    QTest::newRow("minus inside: the leading number") << decimal << "12-3" << true << 12.0;
    QTest::newRow("empty is 0") << decimal << "" << true << 0.0;
    QTest::newRow("minus alone is 0") << decimal << "-" << true << 0.0;
    QTest::newRow("pasted exponent") << decimal << "1e99" << false << 0.0;
    QTest::newRow("pasted letters") << decimal << "12a" << false << 0.0;
    QTest::newRow("pasted blank") << decimal << " 12" << false << 0.0;
    QTest::newRow("too large for a float")
        << decimal << QString(40, QLatin1Char('9')) << false << 0.0;
    QTest::newRow("too long for a double")
        << decimal << QString(400, QLatin1Char('9')) << false << 0.0;
    QTest::newRow("largest float fits") << decimal << "340282346638528859811704183484516925440"
                                        << true << 340282346638528859811704183484516925440.0;
    QTest::newRow("counts") << whole << "864000" << true << 864000.0;
    QTest::newRow("counts: pasted minus") << whole << "-5" << false << 0.0;
    QTest::newRow("counts: pasted point") << whole << "10.5" << false << 0.0;
}

void TestRangeEntry::value() {
    QFETCH(RangeEntry::Kind, kind);
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    const std::optional<double> value = RangeEntry::value(text, kind);
    QCOMPARE(value.has_value(), isNumber);
    if (isNumber)
        QTEST(*value, "number");
}

void TestRangeEntry::decimalText_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1400.f << "1400";
    QTest::newRow("negative") << -310.f << "-310";
    QTest::newRow("one decimal") << 12.5f << "12.5";
    QTest::newRow("float of 0.1") << 0.1f << "0.1";
    QTest::newRow("seven digits") << 1234.567f << "1234.567";
    QTest::newRow("rounded to seven digits") << 2.0f / 3 << "0.6666667";
    QTest::newRow("small, no exponent") << 0.00001f << "0.00001";
    QTest::newRow("zero") << 0.f << "0";
}

void TestRangeEntry::decimalText() {
    QFETCH(float, value);
    QTEST(RangeEntry::decimalText(value), "text");
}

void TestRangeEntry::roundsHalfToEven() {
    QCOMPARE(RangeEntry::roundHalfEven(2.5), 2.0);
    QCOMPARE(RangeEntry::roundHalfEven(3.5), 4.0);
    QCOMPARE(RangeEntry::roundHalfEven(-2.5), -2.0);
    QCOMPARE(RangeEntry::roundHalfEven(59.5), 60.0);
    QCOMPARE(RangeEntry::roundHalfEven(60.5), 60.0);
    QCOMPARE(RangeEntry::roundHalfEven(2.6), 3.0);
}

QTEST_GUILESS_MAIN(TestRangeEntry)
#include "tst_range_entry.moc"
