// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/record_heading.h"

#include <QTest>

Q_DECLARE_METATYPE(RecordHeading)

namespace {
const QString DegreesC = QStringLiteral("\u00B0C");
const QString DegreesF = QStringLiteral("\u00B0F");
} // namespace

// The heading's first field, made and read back: as the CSV export names its type and unit,
// and as a file plot takes them.
class TestRecordHeading : public QObject {
    Q_OBJECT

private slots:
    void text();
    void readBack_data();
    void readBack();
};

void TestRecordHeading::text() {
    QCOMPARE((RecordHeading{"K", DegreesC}.text()), QStringLiteral("K Type \u00B0C"));
    QCOMPARE((RecordHeading{"J", DegreesF}.text()), QStringLiteral("J Type \u00B0F"));
}

void TestRecordHeading::readBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<RecordHeading>("written"); // as the text writes them
    QTest::addColumn<RecordHeading>("plot");    // as a file plot takes them
    QTest::newRow("K Type °C") << "K Type \u00B0C" << RecordHeading{"K", DegreesC}
                               << RecordHeading{"K", DegreesC};
    QTest::newRow("J Type °F") << "J Type \u00B0F" << RecordHeading{"J", DegreesF}
                               << RecordHeading{"J", DegreesF};
    QTest::newRow("blanks around")
        << "  J Type \u00B0C  " << RecordHeading{"J", DegreesC} << RecordHeading{"J", DegreesC};
    QTest::newRow("hand-edited heading")
        << "Readings" << RecordHeading{} << RecordHeading{"K", DegreesF};
    QTest::newRow("unit without the form")
        << "Jx \u00B0C" << RecordHeading{} << RecordHeading{"J", DegreesC};
    QTest::newRow("other type and unit")
        << "T Type K" << RecordHeading{"T", "K"} << RecordHeading{"K", DegreesF};
}

void TestRecordHeading::readBack() {
    QFETCH(QString, text);
    QTEST(RecordHeading::of(text), "written");
    QTEST(RecordHeading::forPlot(text), "plot");
}

QTEST_GUILESS_MAIN(TestRecordHeading)
#include "tst_record_heading.moc"
