// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/csv_format.h"
#include "records/record_table.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <optional>

namespace {

// A locale that writes 25,3 for 25.3, set for the program and the C library alike.
class CommaLocale {
public:
    CommaLocale()
        : m_previous(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // The C library's too, where the machine has one (Qt's is always there).
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name))
                break;
        }
    }
    ~CommaLocale() {
        QLocale::setDefault(m_previous);
        std::setlocale(LC_ALL, "C");
    }

private:
    QLocale m_previous;
};

} // namespace

// Record lines against the CSV lines they become: numbers as they stand, over-range and
// no-value readings as empty cells, times in ISO 8601, texts quoted where RFC 4180 wants it.
class TestCsvFormat : public QObject {
    Q_OBJECT

private slots:
    void header();
    void records_data();
    void records();
    void typeAndUnit_data();
    void typeAndUnit();
};

void TestCsvFormat::header() {
    QCOMPARE(CsvFormat::headerLine(), QByteArray("record,time,T1,T2,T1-T2,type,unit\r\n"));
}

void TestCsvFormat::records_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QByteArray>("line"); // a record line as the file holds it (Windows-1252)
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<bool>("commaLocale");

    const QString kc = QStringLiteral("K Type \u00B0C");
    const QByteArray degreeC = "\xC2\xB0"
                               "C";
    QTest::newRow("numbers") << kc << QByteArray("1\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t")
                             << "1,2001-05-03T14:25:01,25.3,240,-214.7,K," + degreeC + "\r\n"
                             << false;
    QTest::newRow("numbers on a comma-locale machine")
        << kc << QByteArray("2\t2026/12/10 14:03:05\t-0.5\t1372\t-1372.5\t")
        << "2,2026-12-10T14:03:05,-0.5,1372,-1372.5,K," + degreeC + "\r\n"
        << true;
    QTest::newRow("OL, -OL and ---- are empty cells")
        << kc << QByteArray("3\t2001/05/03 14:25:03\tOL\t-OL\t----\t")
        << "3,2001-05-03T14:25:03,,,,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("OL on a comma-locale machine")
        << kc << QByteArray("4\t2001/05/03 14:25:04\t-OL\t0\t----\t")
        << "4,2001-05-03T14:25:04,,0,,K," + degreeC + "\r\n"
        << true;
    QTest::newRow("type J in degrees F")
        << QStringLiteral("J Type \u00B0F")
        << QByteArray("5\t2001/05/03 14:25:05\t77.5\t-40\t117.5\t")
        << QByteArray("5,2001-05-03T14:25:05,77.5,-40,117.5,J,\xC2\xB0"
                      "F\r\n")
        << false;
    QTest::newRow("logger set: two-digit year from 2000")
        << kc << QByteArray("1\t09/02/28 23:59:59\t20.1\t20.2\t-0.1\t")
        << "1,2009-02-28T23:59:59,20.1,20.2,-0.1,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("leap day") << kc << QByteArray("1\t2024/02/29 00:00:00\t1\t2\t-1.0\t")
                              << "1,2024-02-29T00:00:00,1,2,-1.0,K," + degreeC + "\r\n"
                              << false;
    QTest::newRow("no such day: the time as it stands")
        << kc << QByteArray("1\t2023/02/29 00:00:00\t1\t2\t-1.0\t")
        << "1,2023/02/29 00:00:00,1,2,-1.0,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("hour 24: the time as it stands")
        << kc << QByteArray("1\t2023/01/01 24:00:00\t1\t2\t-1.0\t")
        << "1,2023/01/01 24:00:00,1,2,-1.0,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("a time of another form, with a comma: quoted")
        << kc << QByteArray("1\t3 May 2001, 14:25\t1\t2\t-1.0\t")
        << "1,\"3 May 2001, 14:25\",1,2,-1.0,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("an empty time")
        << kc << QByteArray("1\t\t1\t2\t-1.0\t") << "1,,1,2,-1.0,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("a reading that is no number is kept, quotes doubled")
        << kc << QByteArray("7\t2001/05/03 14:25:07\tab\"c\t25,3\t12a\t")
        << "7,2001-05-03T14:25:07,\"ab\"\"c\",\"25,3\",12a,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("blanks around a number go")
        << kc << QByteArray("8\t2001/05/03 14:25:08\t 25.3\t240 \t -OL \t")
        << "8,2001-05-03T14:25:08,25.3,240,,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("Windows-1252 text becomes UTF-8")
        << kc << QByteArray("9\t2001/05/03 14:25:09\t25.3\xB0\t\x80\t1\t")
        << "9,2001-05-03T14:25:09,25.3\xC2\xB0,\xE2\x82\xAC,1,K," + degreeC + "\r\n"
        << false;
    QTest::newRow("a line break in a cell is quoted")
        << kc << QByteArray("10\t2001/05/03 14:25:10\ta\rb\t1\t2\t")
        << "10,2001-05-03T14:25:10,\"a\rb\",1,2,K," + degreeC + "\r\n"
        << false;
}

void TestCsvFormat::records() {
    QFETCH(QString, heading);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, csv);
    QFETCH(bool, commaLocale);

    std::optional<CommaLocale> locale;
    if (commaLocale) {
        locale.emplace();
        QCOMPARE(QLocale().toString(25.3), QStringLiteral("25,3"));
    }
    // As a list holds it: the row's cells read back from a table.
    RecordTable table;
    QVERIFY(table.appendTabbedRow(line));
    QByteArray converted;
    CsvFormat(heading).appendRecord(converted, table.tabbedRow(0));
    QCOMPARE(converted, csv);
}

void TestCsvFormat::typeAndUnit_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QByteArray>("cells");

    QTest::newRow("K Type °C") << QStringLiteral("K Type \u00B0C") << "K"
                               << "\u00B0C"
                               << QByteArray(",K,\xC2\xB0"
                                             "C");
    QTest::newRow("J Type °F") << QStringLiteral("J Type \u00B0F") << "J"
                               << "\u00B0F"
                               << QByteArray(",J,\xC2\xB0"
                                             "F");
    QTest::newRow("no live type yet") << QStringLiteral(" Type ") << ""
                                      << "" << QByteArray(",,");
    QTest::newRow("a heading of another form") << QStringLiteral("Oven, shelf 2") << ""
                                               << "" << QByteArray(",,");
}

void TestCsvFormat::typeAndUnit() {
    QFETCH(QString, heading);
    QFETCH(QByteArray, cells);
    const CsvFormat format(heading);
    QTEST(format.type(), "type");
    QTEST(format.unit(), "unit");
    QByteArray csv;
    format.appendRecord(csv, "1\t\t\t\t\t");
    QCOMPARE(csv, "1,,,," + cells + "\r\n");
}

QTEST_GUILESS_MAIN(TestCsvFormat)
#include "tst_csv_format.moc"
