// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/printout_layout.h"

#include <QTest>

class TestPrintoutLayout : public QObject {
    Q_OBJECT

private slots:
    void line_data();
    void line();
    void ruleAndPreamble();
};

void TestPrintoutLayout::line_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("expected");

    // A 19-character date gets 2 blanks, a 4-character reading 5.
    QTest::newRow("record") << QStringList{"1", "2001/05/03 14:25:01", "25.3", "24.1", "1.2"}
                            << "                 1  2001/05/03 14:25:01     25.3     24.1      1.2";
    QTest::newRow("heading row")
        << QStringList{"K Type °C", "     Date Time    ", "T1", "T2", "T1-T2"}
        << "         K Type °C        Date Time           T1       T2    T1-T2";
    QTest::newRow("logger date and range texts")
        << QStringList{"345600", "01/05/03 14:25:01", "-OL", "OL", "----"}
        << "            345600    01/05/03 14:25:01      -OL       OL     ----";
    QTest::newRow("empty cells") << QStringList{"", "", "", "", ""} << QString(66, ' ');
    // A hand-edited cell wider than its column is printed whole, the line grows.
    QTest::newRow("over-long cell")
        << QStringList{"1", "2001/05/03 14:25:01", "123456789012", "-0.5", "123456789"}
        << "                 1  2001/05/03 14:25:01123456789012     -0.5123456789";
}

void TestPrintoutLayout::line() {
    QFETCH(QStringList, cells);
    QFETCH(QString, expected);
    const RecordRow row{cells[0], cells[1], cells[2], cells[3], cells[4]};
    QCOMPARE(Printout::line(row), expected);
}

void TestPrintoutLayout::ruleAndPreamble() {
    QCOMPARE(Printout::ruleLine(),
             QStringLiteral("-        ---------------------------------------------------------"));
    QCOMPARE(Printout::ruleLine().size(), Printout::LineWidth);
    QCOMPARE(Printout::preamble(), (QStringList{" -", " -", " -", ""}));
}

QTEST_GUILESS_MAIN(TestPrintoutLayout)
#include "tst_printout_layout.moc"
