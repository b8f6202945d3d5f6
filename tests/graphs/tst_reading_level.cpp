#include "graphs/graph_state.h"
#include "link/reading.h"

#include <QTest>

// Where a reading text stands on a graph: its height above the plot's bottom.
class TestReadingLevel : public QObject {
    Q_OBJECT

private slots:
    void height_data();
    void height();
};

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
    QTEST(state.heightOf(Reading::of(QStringView(text))), "height");
}

QTEST_GUILESS_MAIN(TestReadingLevel)
#include "tst_reading_level.moc"
