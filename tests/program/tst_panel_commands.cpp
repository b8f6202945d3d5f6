// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"
#include "fakes/meter_frames.h"
#include "fakes/started_program.h"
#include "lists/list_window_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString SaveFilter = QStringLiteral("Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|");
const QString OpenFilter = QStringLiteral("All Files (*.rdg)|*.rdg|All Files (*.*)|*.*|");
const QByteArray HeadingJC = "J Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
// A file written in °F by a K thermocouple, while the meter now shows J and °C.
const QByteArray ThreeRecords = "K Type \xB0"
                                "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n"
                                "1\t2001/05/03 14:25:01\t77.5\t75.4\t2.1\t\r\n"
                                "2\t01/05/03 14:25:02\tOL\t----\t----\t\r\n"
                                "3\t2001/05/03 14:25:03\t-0.5\t0\t-0.5\t\r\n";

} // namespace

// The main window's toolbar: "Save" (recording), "Open" (a file into FileList), "Sample"
// and "List".
class TestPanelCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveStartsAndStopsRecording();
    void saveCancelledDoesNothing();

    void openCancelledDoesNothing();
    void openLoadsTheFileIntoFileList();
    void secondOpenReplacesTheWindow_data();
    void secondOpenReplacesTheWindow();
    void unsplittableLineEndsTheLoad();
    void closingFileListWhileLoadingStopsCleanly();
    void openDuringRecordingLeavesItRunning();
    void printAndPlotWaitForTheLoad();

    void sample_data();
    void sample();
    void listTwiceOpensOneList();

private:
    QString writeFile(const QString &name, const QByteArray &bytes) const;
    bool timersRunning() { return m_panel->timers().running(); }

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
    PanelModel *m_panel = nullptr;
    PanelCommands *m_commands = nullptr;
};

void TestPanelCommands::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_panel = &m_program->panel();
    m_commands = &m_program->panelCommands();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPanelCommands::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

QString TestPanelCommands::writeFile(const QString &name, const QByteArray &bytes) const {
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void TestPanelCommands::saveStartsAndStopsRecording() {
    const QString path = m_dir->filePath(QStringLiteral("run.rdg"));
    m_fakes->dialogs.saveAnswers << path;
    m_commands->run(PanelCommand::Save);
    QCOMPARE(m_fakes->dialogs.saveFilters, QStringList{SaveFilter});
    QVERIFY(m_program->recorder().Recording());
    QCOMPARE(m_program->recorder().ChosenFileName(), path);
    QCOMPARE(fileBytes(path), HeadingJC); // the heading is there before the first sample
    QCOMPARE(m_panel->toolbar().at(0).tooltip, QStringLiteral("Stop Recording"));

    m_commands->run(PanelCommand::Save);
    QCOMPARE(m_fakes->dialogs.saveFilters.size(), 1); // no dialog to stop
    QVERIFY(!m_program->recorder().Recording());
    QCOMPARE(m_panel->toolbar().at(0).tooltip, QStringLiteral("Save As"));
    QVERIFY(!isFileOpen(path));
    QCOMPARE(fileBytes(path), HeadingJC);
}

void TestPanelCommands::saveCancelledDoesNothing() {
    m_commands->run(PanelCommand::Save);
    QCOMPARE(m_fakes->dialogs.saveFilters.size(), 1);
    QVERIFY(!m_program->recorder().Recording());
    QVERIFY(!m_panel->display().LblRecording.visible);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPanelCommands::openCancelledDoesNothing() {
    QSignalSpy opened(&m_program->windows(), &WindowRegistry::windowOpened);
    m_commands->run(PanelCommand::Open);
    QCOMPARE(m_fakes->dialogs.openFilters, QStringList{OpenFilter});
    QCOMPARE(opened.count(), 0);
    QVERIFY(!m_program->FileListOpen());
    QVERIFY(timersRunning());
}

void TestPanelCommands::openLoadsTheFileIntoFileList() {
    const QString path = writeFile(QStringLiteral("three.rdg"), ThreeRecords);
    m_fakes->dialogs.openAnswers << path;
    QStringList captions;
    bool timersStopped = true;
    m_fakes->pump.onYield = [&](int) {
        captions << m_program->fileList()->caption();
        timersStopped = timersStopped && !m_panel->timers().running();
    };
    m_commands->run(PanelCommand::Open);

    ListWindowModel *list = m_program->fileList();
    QVERIFY(list);
    QVERIFY(m_program->FileListOpen());
    QCOMPARE(captions, (QStringList{"1 Completed", "2 Completed", "3 Completed"}));
    QVERIFY(timersStopped);
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(path));
    QCOMPARE(list->caption(), QStringLiteral("three.rdg"));
    QCOMPARE(list->records().rowCount(), 3);
    QCOMPARE(list->headingRow(),
             (RecordRow{"K Type \u00B0F", "     Date Time    ", "T1", "T2", "T1-T2"}));
    QCOMPARE(list->records().row(1), (RecordRow{"2", "01/05/03 14:25:02", "OL", "----", "----"}));
    QCOMPARE(list->records().row(2), (RecordRow{"3", "2001/05/03 14:25:03", "-0.5", "0", "-0.5"}));
    QCOMPARE(list->grid().rowCount(), 3);
    QCOMPARE(list->grid().headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("K Type \u00B0F"));
}

void TestPanelCommands::secondOpenReplacesTheWindow_data() {
    QTest::addColumn<bool>("duringTheFirstLoad");
    QTest::newRow("after the first load") << false;
    QTest::newRow("while the first one loads") << true;
}

void TestPanelCommands::secondOpenReplacesTheWindow() {
    QFETCH(bool, duringTheFirstLoad);

    const QString first = writeFile(QStringLiteral("first.rdg"), ThreeRecords);
    const QString second = writeFile(QStringLiteral("second.rdg"), HeadingJC);
    m_fakes->dialogs.openAnswers << first << second;
    QSignalSpy closing(&m_program->windows(), &WindowRegistry::windowClosed);
    if (duringTheFirstLoad) {
        m_fakes->pump.onYield = [&](int yields) {
            if (yields != 1)
                return;
            m_commands->run(PanelCommand::Open);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
    }
    m_commands->run(PanelCommand::Open);
    if (!duringTheFirstLoad)
        m_commands->run(PanelCommand::Open);

    ListWindowModel *list = m_program->fileList();
    QCOMPARE(closing.count(), 1);
    QVERIFY(closing.at(0).at(0).value<WindowModel *>() != list);
    QVERIFY(m_program->FileListOpen());
    QCOMPARE(list->caption(), QStringLiteral("second.rdg"));
    QCOMPARE(list->records().rowCount(), 0);
    QCOMPARE(list->records().heading(0), QStringLiteral("J Type \u00B0C"));
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(first));
    QVERIFY(!isFileOpen(second));
}

void TestPanelCommands::unsplittableLineEndsTheLoad() {
    // The third record lacks its last two fields; the load stops there and drops it whole.
    QByteArray bytes = ThreeRecords;
    bytes.replace("-0.5\t0\t-0.5\t", "-0.5\t");
    bytes += "4\t2001/05/03 14:25:04\t1\t2\t-1\t\r\n";
    const QString path = writeFile(QStringLiteral("cut.rdg"), bytes);
    m_fakes->dialogs.openAnswers << path;
    m_commands->run(PanelCommand::Open);

    ListWindowModel *list = m_program->fileList();
    QCOMPARE(list->records().rowCount(), 2);
    for (int column = 0; column < RecordColumnCount; ++column)
        QCOMPARE(list->records().cell(column, 2),
                 QString()); // no column holds a part of the cut line
    QCOMPARE(list->grid().rowCount(), 2);
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(path));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPanelCommands::closingFileListWhileLoadingStopsCleanly() {
    const QString path = writeFile(QStringLiteral("three.rdg"), ThreeRecords);
    m_fakes->dialogs.openAnswers << path;
    m_fakes->pump.onYield = [&](int yields) {
        if (yields != 2)
            return;
        m_program->windows().close(m_program->fileList());
        // The window's events may delete the list at once: nothing may touch it after.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    m_commands->run(PanelCommand::Open);

    QCOMPARE(m_fakes->pump.yields, 2); // no record was read after the close
    QVERIFY(!m_program->fileList());
    QVERIFY(!m_program->FileListOpen());
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(path));
}

void TestPanelCommands::openDuringRecordingLeavesItRunning() {
    const QString recording = m_dir->filePath(QStringLiteral("run.rdg"));
    const QString opened = writeFile(QStringLiteral("three.rdg"), ThreeRecords);
    m_fakes->dialogs.saveAnswers << recording;
    m_fakes->dialogs.openAnswers << opened;
    m_commands->run(PanelCommand::Save);
    m_program->sampler().tick();
    m_commands->run(PanelCommand::Open);
    m_fakes->clock.advance(1);
    m_program->sampler().tick();

    QVERIFY(m_program->recorder().Recording());
    QVERIFY(isFileOpen(recording));
    QCOMPARE(m_program->fileList()->records().rowCount(), 3);
    QCOMPARE(fileBytes(recording), HeadingJC + "1\t2001/05/03 14:25:01\t25.3\t240\t-214.7\t\r\n"
                                               "2\t2001/05/03 14:25:02\t25.3\t240\t-214.7\t\r\n");
    QVERIFY(timersRunning());
}

void TestPanelCommands::printAndPlotWaitForTheLoad() {
    const QString path = writeFile(QStringLiteral("three.rdg"), ThreeRecords);
    m_fakes->dialogs.openAnswers << path;
    QStringList enabledWhileLoading;
    bool timersRanDuringTheLoad = false;
    m_fakes->pump.onYield = [&](int yields) {
        ListWindowModel *list = m_program->fileList();
        for (ListCommand command : {ListCommand::Print, ListCommand::Plot}) {
            if (list->isEnabled(command))
                enabledWhileLoading << (command == ListCommand::Print ? "Print" : "Plot");
        }
        // Pressed anyway, as the view or another path might: nothing is printed.
        if (yields == 1) {
            list->press(ListCommand::Print);
            m_program->listCommands().run(list, ListCommand::Print);
        }
        timersRanDuringTheLoad |= m_panel->timers().running();
    };
    m_commands->run(PanelCommand::Open);

    QCOMPARE(enabledWhileLoading, QStringList());
    QCOMPARE(m_fakes->printJob.dialogs, 0);
    QVERIFY(m_fakes->printJob.lines.isEmpty());
    QVERIFY(!timersRanDuringTheLoad);
    QVERIFY(timersRunning());
    ListWindowModel *list = m_program->fileList();
    QVERIFY(list->isEnabled(ListCommand::Print));
    QVERIFY(list->isEnabled(ListCommand::Plot));
    list->press(ListCommand::Print);
    QCOMPARE(m_fakes->printJob.lines.size(), 4 + 1 + 1 + 3); // preamble, heading, rule, records
}

void TestPanelCommands::sample_data() {
    QTest::addColumn<QString>("answer"); // empty: the box was cancelled
    QTest::addColumn<int>("samplingTime");
    const int unchanged = 7;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("100000") << "100000" << 86400;
    QTest::newRow("86400") << "86400" << 86400;
    QTest::newRow("2.9") << "2.9" << 2;
    QTest::newRow("-3.5") << "-3.5" << 1;
    QTest::newRow("beyond a double") << "1e400" << 86400;
    QTest::newRow("inf") << "inf" << 86400;
    QTest::newRow("-inf") << "-inf" << 1;
    QTest::newRow("nan") << "nan" << unchanged;
    QTest::newRow("blanks around") << " 12 " << 12;
    QTest::newRow("not a number") << "abc" << unchanged;
    QTest::newRow("number then text") << "5s" << unchanged;
    QTest::newRow("cancelled") << "" << unchanged;
}

void TestPanelCommands::sample() {
    QFETCH(QString, answer);
    QFETCH(int, samplingTime);

    Sampler &sampler = m_program->sampler();
    sampler.setSamplingTime(7);
    sampler.tick(); // a sample: the countdown starts
    m_fakes->dialogs.inputAnswers << answer;
    m_commands->run(PanelCommand::Sample);

    QCOMPARE(m_fakes->dialogs.inputPrompts,
             QStringList{"Enter the SAMPLING TIME in seconds\r\n(1 <= t <= 86400 ) "});
    QCOMPARE(m_fakes->dialogs.inputTitles, QStringList{"Input Sampling Time"});
    QCOMPARE(m_fakes->dialogs.inputDefaults, QStringList{"7"});
    QCOMPARE(sampler.SamplingTime(), samplingTime);
    // A new time samples at the next tick; an answer that changes nothing leaves the count.
    QCOMPARE(sampler.SampleTick(), samplingTime == 7 ? 1 : 0);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestPanelCommands::listTwiceOpensOneList() {
    QSignalSpy opened(&m_program->windows(), &WindowRegistry::windowOpened);
    m_commands->run(PanelCommand::List);
    m_program->panel().showFrame(MeterFrames::liveFrame("25.3", "240", "J", "\u00B0F"));
    m_commands->run(PanelCommand::List);

    QCOMPARE(opened.count(), 1);
    ListWindowModel *list = m_program->list();
    QVERIFY(m_program->ListOpen());
    QCOMPARE(m_program->liveList().ListUnit(), QStringLiteral("\u00B0C"));
    QCOMPARE(list->caption(), QStringLiteral("Real Time List"));
    QCOMPARE(list->records().heading(0), QStringLiteral("J Type \u00B0C"));
    QCOMPARE(list->records().rowCount(), 0);
}

QTEST_GUILESS_MAIN(TestPanelCommands)
#include "tst_panel_commands.moc"
