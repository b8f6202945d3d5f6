// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_heading.h"
#include "records/record_table.h"

#include <QTest>

class TestRecordTable : public QObject {
    Q_OBJECT

private slots:
    void cellsRoundTrip();
    void appendOwnCells();
    void cellsHoldAnyByteButTab();
    void outOfRangeIsEmpty();
    void clearKeepsHeadings();
    void truncate_data();
    void truncate();
    void costsLessThanTwiceTheFile();
};

void TestRecordTable::cellsRoundTrip() {
    RecordTable table;
    table.appendRow({"1", "2001/05/03 14:25:01", "25.3", "24.1", "1.2"});
    table.appendRow({"2", "", QString::fromUtf8("25°"), "OL", QString::fromUtf8("€")});
    table.appendEncodedRow({"3", "01/05/03 14:25:03", "-OL", "\xB0", ""});

    QCOMPARE(table.rowCount(), 3);
    const QStringList expected[] = {
        {"1", "2001/05/03 14:25:01", "25.3", "24.1", "1.2"},
        {"2", "", QString::fromUtf8("25°"), "OL", QString::fromUtf8("€")},
        {"3", "01/05/03 14:25:03", "-OL", QString::fromUtf8("°"), ""},
    };
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < RecordColumnCount; ++column)
            QCOMPARE(table.cell(column, row), expected[row][column]);
    }
    // Stored as the bytes a record file holds.
    QCOMPARE(table.rawCell(2, 1), QByteArrayView("25\xB0"));
    QCOMPARE(table.rawCell(4, 1), QByteArrayView("\x80"));
}

void TestRecordTable::appendOwnCells() {
    // Copying a row within the table: the cells must survive the buffer growing.
    RecordTable table;
    table.appendRow({"1", "2001/05/03 14:25:01", "25.3", "24.1", "1.2"});
    for (int i = 0; i < 12; ++i) {
        const int last = table.rowCount() - 1;
        QVERIFY(table.appendEncodedRow({table.rawCell(0, last), table.rawCell(1, last),
                                        table.rawCell(2, last), table.rawCell(3, last),
                                        table.rawCell(4, last)}));
    }
    QCOMPARE(table.rowCount(), 13);
    QCOMPARE(table.cell(1, 12), QStringLiteral("2001/05/03 14:25:01"));
    QCOMPARE(table.cell(4, 12), QStringLiteral("1.2"));
}

void TestRecordTable::cellsHoldAnyByteButTab() {
    // Cells are found by their TABs: every other byte, line ends and NUL included, must come
    // back as stored, and a TAB inside a cell must not move the cells after it.
    QByteArray everyByte;
    for (int b = 255; b >= 0; --b) {
        if (b != '\t')
            everyByte.append(char(b));
    }
    RecordTable table;
    QVERIFY(table.appendEncodedRow({"", everyByte, "\r\n", QByteArrayView("\0", 1), ""}));
    QVERIFY(table.appendEncodedRow({"7", "a\tb", "c", "d\t", "e"}));
    QVERIFY(table.appendRow({"8", "x", "y", "z", "\t"}));
    QCOMPARE(table.rowCount(), 3);

    QCOMPARE(table.rawCell(0, 0), QByteArrayView(""));
    QCOMPARE(table.rawCell(1, 0), QByteArrayView(everyByte));
    QCOMPARE(table.rawCell(2, 0), QByteArrayView("\r\n"));
    QCOMPARE(table.rawCell(3, 0), QByteArrayView("\0", 1));
    QCOMPARE(table.rawCell(4, 0), QByteArrayView(""));

    const QByteArrayView second[] = {"7", "a b", "c", "d ", "e"};
    const QByteArrayView third[] = {"8", "x", "y", "z", " "};
    for (int column = 0; column < RecordColumnCount; ++column) {
        QCOMPARE(table.rawCell(column, 1), second[column]);
        QCOMPARE(table.rawCell(column, 2), third[column]);
    }
    QCOMPARE(table.tabbedRow(1), QByteArrayView("7\ta b\tc\td \te\t"));
}

void TestRecordTable::outOfRangeIsEmpty() {
    RecordTable table;
    QCOMPARE(table.cell(0, 0), QString());
    table.appendRow({"1", "a", "b", "c", "d"});
    QCOMPARE(table.cell(0, 1), QString());
    QCOMPARE(table.cell(0, -1), QString());
    QCOMPARE(table.cell(5, 0), QString());
    QCOMPARE(table.cell(-1, 0), QString());
    QCOMPARE(table.heading(5), QString());
}

void TestRecordTable::clearKeepsHeadings() {
    RecordTable table;
    QCOMPARE(table.heading(1), QStringLiteral("     Date Time    "));
    QCOMPARE(table.heading(4), QStringLiteral("T1-T2"));
    table.setHeading(0, RecordHeading{"J", QString::fromUtf8("°F")}.text());
    table.appendRow({"1", "a", "b", "c", "d"});
    table.clear();
    QCOMPARE(table.rowCount(), 0);
    QCOMPARE(table.heading(0), QString::fromUtf8("J Type °F"));
    table.appendRow({"7", "x", "", "", "z"});
    QCOMPARE(table.cell(0, 0), QStringLiteral("7"));
    QCOMPARE(table.cell(4, 0), QStringLiteral("z"));
}

void TestRecordTable::truncate_data() {
    QTest::addColumn<int>("appended");
    QTest::addColumn<int>("kept");
    // Rows are kept in blocks of 65,536: cut within a block, at its end and before it.
    QTest::newRow("within the first block") << 10 << 4;
    QTest::newRow("back into the first block") << 65546 << 65530;
    QTest::newRow("at a block's end") << 65546 << 65536;
    QTest::newRow("nothing kept") << 5 << 0;
    QTest::newRow("more than there are") << 5 << 9;
}

void TestRecordTable::truncate() {
    QFETCH(int, appended);
    QFETCH(int, kept);
    RecordTable table;
    table.setHeading(2, QStringLiteral("T1"));
    for (int i = 1; i <= appended; ++i)
        QVERIFY(table.appendRow({QString::number(i), "d", "t1", "t2", "diff"}));
    table.truncate(kept);
    const int left = std::min(kept, appended);
    QCOMPARE(table.rowCount(), left);
    QCOMPARE(table.heading(2), QStringLiteral("T1"));
    if (left > 0)
        QCOMPARE(table.cell(0, left - 1), QString::number(left));
    QCOMPARE(table.cell(0, left), QString());
    // Rows appended afterwards take the places of those taken back.
    QVERIFY(table.appendRow({"new", "d", "t1", "t2", "diff"}));
    QVERIFY(table.appendRow({"newer", "d", "t1", "t2", "diff"}));
    QCOMPARE(table.rowCount(), left + 2);
    QCOMPARE(table.cell(0, left), QStringLiteral("new"));
    QCOMPARE(table.cell(0, left + 1), QStringLiteral("newer"));
    QCOMPARE(table.tabbedRow(left + 1), QByteArrayView("newer\td\tt1\tt2\tdiff\t"));
    if (left > 0)
        QCOMPARE(table.cell(4, left - 1), QStringLiteral("diff"));
}

void TestRecordTable::costsLessThanTwiceTheFile() {
    // Realistic record lines, as recording writes them (44 bytes each with TABs, CR LF).
    RecordTable table;
    const int rows = 20000;
    qsizetype fileBytes = 0;
    for (int i = 1; i <= rows; ++i) {
        const RecordRow row{QString::number(100000 + i), "2001/05/03 14:25:01", "25.3", "-24.1",
                            "49.4"};
        table.appendRow(row);
        for (const QString &cell : row)
            fileBytes += cell.size() + 1;
        fileBytes += 2;
    }
    table.squeeze();
    QVERIFY2(
        table.memoryBytes() <= 2 * fileBytes,
        qPrintable(
            QStringLiteral("%1 bytes for a %2-byte file").arg(table.memoryBytes()).arg(fileBytes)));
}

QTEST_GUILESS_MAIN(TestRecordTable)
#include "tst_record_table.moc"
