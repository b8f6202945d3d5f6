// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/file_checks.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/program.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray ThreeRecords = "K Type \xB0"
                                "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n"
                                "1\t2001/05/03 14:25:01\t77.5\t75.4\t2.1\t\r\n"
                                "2\t2001/05/03 14:25:02\tOL\t----\t----\t\r\n"
                                "3\t2001/05/03 14:25:03\t-0.5\t0\t-0.5\t\r\n";

} // namespace

// A record file opened from the desktop ("thermodesk FILE.rdg"): its list is the program's
// only window, no port is opened and no meter is needed, and closing the list ends the run.
class TestOpenWithoutMeter : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheFileAsTheOnlyWindow();
    void closingTheListEndsTheProgram();
    void aFileThatCannotBeOpenedIsTold();

private:
    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    QTemporaryDir m_dir;
    QString m_path;
};

void TestOpenWithoutMeter::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = std::make_unique<Program>(m_fakes->platform());
    testListModels(*m_program);
    m_path = m_dir.filePath(QStringLiteral("oven.rdg"));
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ThreeRecords) == ThreeRecords.size());
}

void TestOpenWithoutMeter::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

void TestOpenWithoutMeter::listsTheFileAsTheOnlyWindow() {
    QSignalSpy opened(&m_program->windows(), &WindowRegistry::windowOpened);
    QVERIFY(m_program->openWithoutMeter(m_path));
    ListWindowModel *list = m_program->fileList();
    QVERIFY(list);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(list->records().rowCount(), 3);
    QCOMPARE(list->records().heading(0), QStringLiteral("K Type \u00B0F"));
    QCOMPARE(list->records().cell(2, 1), QStringLiteral("OL"));
    QVERIFY(!isFileOpen(m_path));
    // No port was asked for and the panel's timers stay stopped after the load.
    QCOMPARE(m_fakes->serial.openedPort, 0);
    QVERIFY(!m_program->panel().timers().running());
    QCOMPARE(m_fakes->serial.readCount, 0);

    // The list's commands work without a meter: the plot takes the file's own unit.
    m_program->listCommands().run(list, ListCommand::Plot);
    QVERIFY(m_program->PlotOpen());
    QCOMPARE(m_program->plot()->PlotUnit(), QStringLiteral("\u00B0F"));
    QCOMPARE(m_program->plot()->PlotType(), QStringLiteral("K"));
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestOpenWithoutMeter::closingTheListEndsTheProgram() {
    QVERIFY(m_program->openWithoutMeter(m_path));
    ListWindowModel *list = m_program->fileList();
    m_program->listCommands().run(list, ListCommand::Plot);
    QSignalSpy quits(m_program.get(), &Program::quitRequested);

    // Closing the plot leaves the list, and the program, open.
    m_program->plot()->requestClose();
    QCOMPARE(quits.size(), 0);
    QVERIFY(m_program->FileListOpen());

    list->requestClose();
    QCOMPARE(quits.size(), 1);
    QVERIFY(m_fakes->pump.quitting());
    QVERIFY(!m_program->FileListOpen());
    QVERIFY(!m_program->panel().timers().running());
}

void TestOpenWithoutMeter::aFileThatCannotBeOpenedIsTold() {
    const QString missing = m_dir.filePath(QStringLiteral("gone.rdg"));
    QVERIFY(!m_program->openWithoutMeter(missing));
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    QCOMPARE(m_fakes->dialogs.messages.at(0).icon, Dialogs::Icon::Critical);
    QVERIFY2(m_fakes->dialogs.messages.at(0).text.startsWith(
                 QStringLiteral("Cannot open \"%1\":\n").arg(QDir::toNativeSeparators(missing))),
             qPrintable(m_fakes->dialogs.messages.at(0).text));
    // No empty list is left behind.
    QVERIFY(!m_program->FileListOpen());
    QCOMPARE(m_fakes->serial.openedPort, 0);
}

QTEST_GUILESS_MAIN(TestOpenWithoutMeter)
#include "tst_open_without_meter.moc"
