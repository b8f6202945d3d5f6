#include "graphs/graph_state.h"
#include "graphs/reading_level.h"
#include "link/meter.h"

#include <QTest>

Q_DECLARE_METATYPE(ReadingLevel::Kind)

// Reading texts as the graphs place them, from texts (the live values) and from the bytes
// a record list stores (the file plot), which must agree.
class TestReadingLevel : public QObject {
    Q_OBJECT

private slots:
    void level_data();
    void level();
    void height_data();
    void height();
};

void TestReadingLevel::level_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<ReadingLevel::Kind>("kind");
    using K = ReadingLevel::Kind;
    QTest::newRow("number") << "25.3" << K::Value;
    QTest::newRow("negative") << "-0.5" << K::Value;
    QTest::newRow("whole") << "240" << K::Value;
    QTest::newRow("over range") << "OL" << K::Over;
    QTest::newRow("under range") << "-OL" << K::Under;
    QTest::newRow("no value") << "----" << K::Off;
    QTest::newRow("no value within text") << "x----y" << K::Off;
    QTest::newRow("three dashes are a text") << "---" << K::Value;
    QTest::newRow("two numbers") << "1.2.3" << K::Value;
    QTest::newRow("trailing letters") << "12a" << K::Value;
    QTest::newRow("leading blanks") << "  7" << K::Value;
    QTest::newRow("plus sign") << "+5" << K::Value;
    QTest::newRow("point first") << ".5" << K::Value;
    QTest::newRow("minus point") << "-.5" << K::Value;
    QTest::newRow("point last") << "5." << K::Value;
    QTest::newRow("empty") << "" << K::Value;
    QTest::newRow("letters") << "abc" << K::Value;
    QTest::newRow("minus alone") << "-" << K::Value;
    QTest::newRow("leading zeros") << "0000012" << K::Value;
    QTest::newRow("beyond a double") << QString(400, QLatin1Char('9')) << K::Value;
}

void TestReadingLevel::level() {
    QFETCH(QString, text);
    QFETCH(ReadingLevel::Kind, kind);
    const ReadingLevel fromText = ReadingLevel::of(QStringView(text));
    const QByteArray bytes = text.toLatin1();
    const ReadingLevel fromBytes = ReadingLevel::of(QByteArrayView(bytes));
    QCOMPARE(fromText.kind, kind);
    QCOMPARE(fromBytes.kind, kind);
    if (kind == ReadingLevel::Kind::Value) {
        // The number is read as everywhere else in the program.
        QCOMPARE(fromText.value, Meter::numericValue(text));
        QCOMPARE(fromBytes.value, Meter::numericValue(text));
    }
}

void TestReadingLevel::height_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("height");
    // Plot 51 pixels high for -190 to 1333.
    QTest::newRow("OL: 5 above the top") << "OL" << 56.0;
    QTest::newRow("-OL: 3 below the bottom") << "-OL" << -3.0;
    QTest::newRow("YMax: on the top edge") << "1333" << 51.0;
    QTest::newRow("YMin: on the bottom edge") << "-190" << 0.0;
    QTest::newRow("above YMax") << "1333.1" << 56.0;
    QTest::newRow("below YMin") << "-190.1" << -3.0;
    QTest::newRow("half way") << "571.5" << 25.5;
    QTest::newRow("no number counts as 0") << "abc" << 190 / 1523.0 * 51;
}

void TestReadingLevel::height() {
    QFETCH(QString, text);
    GraphState state;
    state.PlotHeight = 51;
    state.YMin = -190;
    state.YMax = 1333;
    QTEST(ReadingLevel::of(QStringView(text)).heightAboveBottom(state), "height");
}

QTEST_GUILESS_MAIN(TestReadingLevel)
#include "tst_reading_level.moc"
