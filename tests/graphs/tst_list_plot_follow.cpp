// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/record_rows.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/span_statistics.h"
#include "lists/list_window_model.h"
#include "lists/record_follower.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Kind = FakeSurface::Kind;

const QSize Small(287, 211);
// The plot of a 287 × 211 client area: left 75, width 210.
constexpr double L = 75;
constexpr double W = 210;

const QByteArray Heading = "J Type \xB0"
                           "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";

QByteArray lines(int first, int last) {
    QByteArray bytes;
    for (int number = first; number <= last; ++number) {
        const RecordRow row = record(number, QString::number(number), QString::number(-number),
                                     QString::number(2 * number));
        for (const QString &cell : row)
            bytes += cell.toLatin1() + '\t';
        bytes += "\r\n";
    }
    return bytes;
}

// Appends as another program's recorder does, while the list holds the file open.
bool append(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(bytes) == bytes.size();
}

} // namespace

// A file plot of a file that grows while it is plotted: the new records come into the list,
// the pyramid and the picture, the span follows the end until the user zooms, and a double
// click follows it again. "Plot Recording" plots the program's own recording the same way.
class TestListPlotFollow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aGrowingFileGrowsInTheListAndThePlot();
    void zoomStopsFollowingAndZoomingOutResumes();
    void plotRecordingFollowsTheRecordingIntoItsParts();

private:
    ListPlotModel *plotOfGrowingFile(int records);
    FakeSurface &surface() { return static_cast<FakeSurface &>(m_plot->surface()); }
    // The right end of the last T1 segment drawn since the frame.
    double lastT1X() {
        const QList<FakeSurface::Call> lines = surface().linesOf(GraphColours::T1);
        return lines.isEmpty() ? -1 : lines.last().to.x();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    QString m_path;
    ListWindowModel *m_list = nullptr;
    ListPlotModel *m_plot = nullptr;
};

void TestListPlotFollow::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("run.rdg"));
}

void TestListPlotFollow::cleanup() {
    m_plot = nullptr;
    m_list = nullptr;
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

ListPlotModel *TestListPlotFollow::plotOfGrowingFile(int records) {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    if (!m_program)
        return nullptr;
    // The waits below let events run: no frame tick is to read the fake port meanwhile.
    m_program->panel().stopTimers();
    if (!append(m_path, Heading + lines(1, records)) ||
        !m_program->panelCommands().openFile(m_path))
        return nullptr;
    m_list = m_program->fileList();
    m_list->press(ListCommand::Plot);
    m_plot = m_program->plot();
    if (m_plot) {
        m_plot->resize(Small);
        m_plot->DrawPass();
    }
    return m_plot;
}

void TestListPlotFollow::aGrowingFileGrowsInTheListAndThePlot() {
    QVERIFY(plotOfGrowingFile(40));
    QVERIFY(m_list->followsOpenedFile());
    QVERIFY(m_plot->pyramidBuilt());
    QVERIFY(m_plot->followsEnd());
    QCOMPARE(m_plot->ToNo(), 40);
    QCOMPARE(lastT1X(), L + W);

    // Records and the start of one more, the way a recorder leaves a line half written.
    QVERIFY(append(m_path, lines(41, 100) + lines(101, 101).first(9)));
    QTRY_COMPARE_WITH_TIMEOUT(m_list->records().rowCount(), 100, 5000);
    // The plot took them at once: the span is all of them, drawn at once from the pyramid.
    QCOMPARE(m_plot->FromNo(), 1);
    QCOMPARE(m_plot->ToNo(), 100);
    QVERIFY(m_plot->pyramidBuilt());
    QVERIFY(!m_plot->passRunning());
    QCOMPARE(lastT1X(), L + W);
    const SpanStatistics statistics = m_plot->statistics();
    QCOMPARE(statistics.of(Channel::T1).numbers, 100);
    QCOMPARE(statistics.of(Channel::T1).highAt, 99);
    QCOMPARE(statistics.of(Channel::T2).low, -100.0);

    // The line is finished: the record comes whole.
    QVERIFY(append(m_path, lines(101, 101).sliced(9)));
    QTRY_COMPARE_WITH_TIMEOUT(m_plot->ToNo(), 101, 5000);
    QCOMPARE(m_list->records().cell(2, 100), QStringLiteral("101"));
}

void TestListPlotFollow::zoomStopsFollowingAndZoomingOutResumes() {
    QVERIFY(plotOfGrowingFile(40));
    m_plot->zoomTo(L, L + W / 2);
    QVERIFY(!m_plot->followsEnd());
    const int from = m_plot->FromNo();
    const int to = m_plot->ToNo();
    QCOMPARE(to, 21);

    QVERIFY(append(m_path, lines(41, 60)));
    QTRY_COMPARE_WITH_TIMEOUT(m_list->records().rowCount(), 60, 5000);
    QCOMPARE(m_plot->FromNo(), from);
    QCOMPARE(m_plot->ToNo(), to);

    // The statistics line tells of the zoomed span.
    m_plot->run(GraphCommand::Statistics);
    QVERIFY(m_plot->statisticsShown());
    const QStringList shown = m_plot->statisticsLines();
    QCOMPARE(shown.first(), QStringLiteral("T1  min 1 (No. 1)  max 21 (No. 21)  mean 11.00  "
                                           "OL 0  -OL 0  ---- 0"));
    bool drawn = false;
    for (const FakeSurface::Call &text : surface().sinceClear(Kind::Text))
        drawn = drawn || text.text == shown.first();
    QVERIFY(drawn);

    // A double click: the whole file again, and its end followed.
    m_plot->zoomOut();
    QVERIFY(m_plot->followsEnd());
    QCOMPARE(m_plot->ToNo(), 60);
    QVERIFY(append(m_path, lines(61, 70)));
    QTRY_COMPARE_WITH_TIMEOUT(m_plot->ToNo(), 70, 5000);
    QCOMPARE(m_plot->FromNo(), 1);
    QCOMPARE(m_plot->statistics().of(Channel::T1).high, 70.0);
}

void TestListPlotFollow::plotRecordingFollowsTheRecordingIntoItsParts() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform(),
                                          Program::Limits{5, Program::Limits().rowsPerList});
    m_program->choosePort(QStringLiteral("COM1"));
    QVERIFY(m_program->loadPanel());
    m_program->panel().showFrame(QByteArray::fromHex("020945810080fd00f003"));
    m_program->panel().stopTimers();
    m_program->panelCommands().graph();
    RealTimeT1T2Model *graph = m_program->graph();
    QVERIFY(graph);
    QVERIFY(!graph->isVisible(GraphCommand::PlotRecording)); // nothing recorded yet

    QVERIFY(m_program->recorder().startRecording(m_path));
    for (int i = 0; i < 3; ++i)
        m_program->sampler().tick();
    QVERIFY(graph->isVisible(GraphCommand::PlotRecording));
    graph->press(GraphCommand::PlotRecording);
    m_plot = m_program->plot();
    QVERIFY(m_plot);
    QVERIFY(m_plot->follower());
    m_plot->resize(Small);
    QCOMPARE(m_plot->ToNo(), 3);
    QCOMPARE(m_plot->PlotUnit(), QStringLiteral("\u00B0C"));

    // Into the first continuation file and on.
    for (int i = 0; i < 9; ++i)
        m_program->sampler().tick();
    QTRY_COMPARE_WITH_TIMEOUT(m_plot->ToNo(), 12, 5000);
    QCOMPARE(m_plot->follower()->paths().size(), 3);
    QVERIFY(m_plot->followsEnd());
    QCOMPARE(m_plot->statistics().of(Channel::T1).numbers, 12);
}

QTEST_MAIN(TestListPlotFollow)
#include "tst_list_plot_follow.moc"
