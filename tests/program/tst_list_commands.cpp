// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"
#include "fakes/meter_frames.h"
#include "fakes/small_disk.h"
#include "fakes/started_program.h"
#include "fakes/system_texts.h"
#include "lists/list_window_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "panel/sampler.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray HeadingJC = "J Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
const QList<RecordRow> Rows{{"1", "2001/05/03 14:25:02", "25.3", "240", "-214.7"},
                            {"2", "2001/05/03 14:25:03", "OL", "-OL", "----"},
                            {"3", "2001/05/03 14:25:04", "-0.5", "0", "-0.5"}};
const QByteArray RowLines = "1\t2001/05/03 14:25:02\t25.3\t240\t-214.7\t\r\n"
                            "2\t2001/05/03 14:25:03\tOL\t-OL\t----\t\r\n"
                            "3\t2001/05/03 14:25:04\t-0.5\t0\t-0.5\t\r\n";
const QByteArray CsvRows = "1,2001-05-03T14:25:02,25.3,240,-214.7,J,\xC2\xB0"
                           "C\r\n"
                           "2,2001-05-03T14:25:03,,,,J,\xC2\xB0"
                           "C\r\n"
                           "3,2001-05-03T14:25:04,-0.5,0,-0.5,J,\xC2\xB0"
                           "C\r\n";
const QString CsvFilter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|");

} // namespace

Q_DECLARE_METATYPE(ListWindowModel::Kind)

// The list windows' toolbars: "Save" of the live list and the logger list, "Print" of an
// opened file, "Export CSV" of all three.
class TestListCommands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveList_data();
    void saveList();
    void saveWhileRecordingDoesNothing();
    void saveCancelledLeavesTheList();
    void failedSaveKeepsTheList_data();
    void failedSaveKeepsTheList();
    void diskFillingUpKeepsTheOldFile();
    void closingListWhileSavingStopsCleanly();
    void listClosedDuringTheDialogLeavesNoChoice();
    void saveDataListTwice();

    void exportCsv_data();
    void exportCsv();
    void exportCsvDoesNothing_data();
    void exportCsvDoesNothing();
    void failedExportLeavesNoFile_data();
    void failedExportLeavesNoFile();

    void print();
    void printEmptyFileList();
    void printEndsEarly_data();
    void printEndsEarly();

private:
    ListWindowModel *openList(ListWindowModel::Kind kind, int rows);
    // The live list's rows as the sampling timer takes them, one a second: the meter shows
    // the readings of Rows in turn.
    void sampleRows(int rows);
    void press(ListWindowModel *list, ListCommand command) {
        m_program->listCommands().run(list, command);
    }
    bool timersRunning() { return m_panel->timers().running(); }
    // Records, at every yield, the caption and whether the panel's timers were stopped.
    void watchYields(ListWindowModel *list);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
    PanelModel *m_panel = nullptr;
    QStringList m_captions;
    bool m_timersStopped = true;
};

void TestListCommands::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_panel = &m_program->panel();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_captions.clear();
    m_timersStopped = true;
}

void TestListCommands::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

ListWindowModel *TestListCommands::openList(ListWindowModel::Kind kind, int rows) {
    ListWindowModel *list = nullptr;
    if (kind == ListWindowModel::Kind::List) {
        m_program->liveList().open();
        sampleRows(rows);
        return m_program->list();
    }
    const LiveValues &live = m_program->panel().live();
    list = m_program->windows().open(
        std::make_unique<ListWindowModel>(kind, live.TypeText, live.UnitText));
    for (int row = 0; row < rows; ++row)
        list->appendRow(Rows.at(row));
    return list;
}

void TestListCommands::sampleRows(int rows) {
    for (int row = 0; row < rows; ++row) {
        const RecordRow &readings = Rows.at(row % Rows.size());
        m_panel->showFrame(MeterFrames::liveFrame(readings[2], readings[3]));
        m_fakes->clock.advance(1);
        m_program->sampler().tick();
    }
}

void TestListCommands::watchYields(ListWindowModel *list) {
    m_fakes->pump.onYield = [this, list = QPointer<ListWindowModel>(list)](int) {
        if (list && list->isOpen())
            m_captions << list->caption();
        m_timersStopped = m_timersStopped && !m_panel->timers().running();
    };
}

void TestListCommands::saveList_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("three rows") << 3 << HeadingJC + RowLines;
    QTest::newRow("empty list: the heading only") << 0 << HeadingJC;
}

void TestListCommands::saveList() {
    QFETCH(int, rows);
    QFETCH(QByteArray, bytes);

    ListWindowModel *list = openList(ListWindowModel::Kind::List, rows);
    const QString path = m_dir->filePath(QStringLiteral("list.rdg"));
    m_fakes->dialogs.saveAnswers << path;
    watchYields(list);
    press(list, ListCommand::Save);

    QCOMPARE(m_fakes->dialogs.saveFilters,
             QStringList{"Data Files (*.rdg)|*.rdg|All Files (*.*)|*.*|"});
    QCOMPARE(fileBytes(path), bytes);
    QVERIFY(!isFileOpen(path));
    QStringList progress;
    for (int row = 0; row <= rows; ++row)
        progress << QString::number(row) + QStringLiteral(" Records Completed");
    QCOMPARE(m_captions, progress);
    QVERIFY(m_timersStopped);
    QVERIFY(timersRunning());
    QVERIFY(!m_program->list());
    QVERIFY(!m_program->ListOpen());
    QCOMPARE(m_program->liveList().ListCount(), 0);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestListCommands::saveWhileRecordingDoesNothing() {
    ListWindowModel *list = openList(ListWindowModel::Kind::List, 2);
    QVERIFY(m_program->recorder().startRecording(m_dir->filePath(QStringLiteral("run.rdg"))));
    m_fakes->dialogs.saveAnswers << m_dir->filePath(QStringLiteral("list.rdg"));
    press(list, ListCommand::Save);

    QVERIFY(m_fakes->dialogs.saveFilters.isEmpty());
    QVERIFY(list->isOpen());
    QCOMPARE(list->records().rowCount(), 2);
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("list.rdg"))));
}

void TestListCommands::saveCancelledLeavesTheList() {
    ListWindowModel *list = openList(ListWindowModel::Kind::List, 2);
    press(list, ListCommand::Save);

    QCOMPARE(m_fakes->dialogs.saveFilters.size(), 1);
    QVERIFY(list->isOpen());
    QCOMPARE(list->records().rowCount(), 2);
    QCOMPARE(list->caption(), QStringLiteral("Real Time List"));
    QCOMPARE(m_program->liveList().ListCount(), 2);
    QVERIFY(timersRunning());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestListCommands::failedSaveKeepsTheList_data() {
    QTest::addColumn<QString>("path"); // %1: the test's folder
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing folder") << "%1/missing/list.rdg" << SystemText::FolderNotFound;
#if !defined(Q_OS_WIN)
    QTest::newRow("disk full") << "/dev/full"
                               << "No space left on device";
#endif
}

void TestListCommands::failedSaveKeepsTheList() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    path.replace(QStringLiteral("%1"), m_dir->path());

    ListWindowModel *list = openList(ListWindowModel::Kind::List, 3);
    m_fakes->dialogs.saveAnswers << path;
    press(list, ListCommand::Save);

    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages.at(0);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)) && message.text.contains(reason),
             qPrintable(message.text));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY(list->isOpen());
    QVERIFY(m_program->ListOpen());
    QCOMPARE(m_program->liveList().ListCount(), 3);
    QCOMPARE(list->records().rowCount(), 3);
    QCOMPARE(list->records().row(2), Rows.at(2));
    QCOMPARE(list->caption(), QStringLiteral("Real Time List"));
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(path));
}

void TestListCommands::diskFillingUpKeepsTheOldFile() {
    SmallDisk disk(m_dir->filePath(QStringLiteral("disk")), 64 * 1024);
    if (!disk.mounted())
        QSKIP(qPrintable(disk.why()));
    const QString path = disk.filePath(QStringLiteral("list.rdg"));
    const QByteArray oldBytes = HeadingJC + RowLines;
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write(oldBytes), oldBytes.size());
    }
    // About 140 KB of rows: more than the disk holds.
    const int rows = 3000;
    ListWindowModel *list = openList(ListWindowModel::Kind::List, rows);
    m_fakes->dialogs.saveAnswers << path;
    press(list, ListCommand::Save);

    QCOMPARE(fileBytes(path), oldBytes);
    QCOMPARE(folderEntries(disk.filePath(".")), QStringList{"list.rdg"});
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const QString text = m_fakes->dialogs.messages.at(0).text;
    QVERIFY2(text.contains(path) && text.contains("No space left on device"), qPrintable(text));
    QVERIFY(list->isOpen());
    QCOMPARE(list->records().rowCount(), rows);
    QVERIFY(timersRunning());
}

void TestListCommands::closingListWhileSavingStopsCleanly() {
    ListWindowModel *list = openList(ListWindowModel::Kind::List, 3);
    const QString path = m_dir->filePath(QStringLiteral("list.rdg"));
    // An abandoned save leaves the file it was to replace as it was.
    const QByteArray oldBytes = "an older list\r\n";
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write(oldBytes), oldBytes.size());
    }
    m_fakes->dialogs.saveAnswers << path;
    m_fakes->pump.onYield = [&](int yields) {
        if (yields != 2)
            return;
        m_program->windows().close(list);
        // The window's events may delete the list at once: nothing may touch it after.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    press(list, ListCommand::Save);

    QCOMPARE(m_fakes->pump.yields, 2);
    QVERIFY(!m_program->list());
    QVERIFY(!m_program->ListOpen());
    QVERIFY(timersRunning());
    QVERIFY(!isFileOpen(path));
    QCOMPARE(fileBytes(path), oldBytes);
    QCOMPARE(folderEntries(m_dir->path()), QStringList{"list.rdg"});
}

void TestListCommands::listClosedDuringTheDialogLeavesNoChoice() {
    // The sampling timer runs while the dialog is open: a unit change closes the list.
    ListWindowModel *list = openList(ListWindowModel::Kind::List, 2);
    const QString path = m_dir->filePath(QStringLiteral("list.rdg"));
    m_fakes->dialogs.saveAnswers << path;
    m_fakes->dialogs.onFileDialog = [&] {
        m_fakes->dialogs.onFileDialog = nullptr;
        m_program->windows().close(list);
    };
    press(list, ListCommand::Save);
    QVERIFY(!QFile::exists(path));

    // So the panel's "Save", cancelled, starts no recording into the list's file.
    m_program->panelCommands().save();
    QVERIFY(!m_program->recorder().Recording());
    QVERIFY(!QFile::exists(path));
    QVERIFY(timersRunning());
}

void TestListCommands::saveDataListTwice() {
    ListWindowModel *list = openList(ListWindowModel::Kind::DataList, 3);
    list->setColumn0Heading(QStringLiteral("K Type \u00B0F")); // the logger set's own
    const QString first = m_dir->filePath(QStringLiteral("a.rdg"));
    const QString second = m_dir->filePath(QStringLiteral("b.rdg"));
    m_fakes->dialogs.saveAnswers << first << second;
    press(list, ListCommand::Save);
    press(list, ListCommand::Save);

    QCOMPARE(fileBytes(first), "K Type \xB0"
                               "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n" +
                                   RowLines);
    QCOMPARE(fileBytes(second), fileBytes(first));
    QVERIFY(list->isOpen());
    QCOMPARE(list->caption(), QStringLiteral("Data List"));
    QCOMPARE(list->records().rowCount(), 3);
    QVERIFY(timersRunning());
}

void TestListCommands::exportCsv_data() {
    QTest::addColumn<ListWindowModel::Kind>("kind");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArray>("csv");
    const QByteArray header = "record,time,T1,T2,T1-T2,type,unit\r\n";
    QTest::newRow("live list") << ListWindowModel::Kind::List << 3 << header + CsvRows;
    QTest::newRow("opened file") << ListWindowModel::Kind::FileList << 3 << header + CsvRows;
    QTest::newRow("logger set") << ListWindowModel::Kind::DataList << 3 << header + CsvRows;
    QTest::newRow("empty list: the header only") << ListWindowModel::Kind::List << 0 << header;
}

void TestListCommands::exportCsv() {
    QFETCH(ListWindowModel::Kind, kind);
    QFETCH(int, rows);
    QFETCH(QByteArray, csv);

    ListWindowModel *list = openList(kind, rows);
    const QString caption = list->caption();
    const QString path = m_dir->filePath(QStringLiteral("list.csv"));
    m_fakes->dialogs.saveAnswers << path;
    watchYields(list);
    press(list, ListCommand::ExportCsv);

    QCOMPARE(m_fakes->dialogs.saveFilters, QStringList{CsvFilter});
    QCOMPARE(m_fakes->dialogs.saveSuffixes, QStringList{"csv"});
    QCOMPARE(fileBytes(path), csv);
    QVERIFY(!isFileOpen(path));
    QStringList progress;
    for (int row = 1; row <= rows; ++row)
        progress << QString::number(row) + QStringLiteral(" Records Completed");
    QCOMPARE(m_captions, progress);
    QVERIFY(m_timersStopped);
    QVERIFY(timersRunning());
    // Unlike "Save", the export leaves every list open as it was, the live list included.
    QVERIFY(list->isOpen());
    QCOMPARE(list->records().rowCount(), rows);
    QCOMPARE(list->caption(), caption);
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

void TestListCommands::exportCsvDoesNothing_data() {
    QTest::addColumn<bool>("loading");
    QTest::newRow("dialog cancelled") << false;
    QTest::newRow("file still loading") << true;
}

void TestListCommands::exportCsvDoesNothing() {
    QFETCH(bool, loading);
    ListWindowModel *list = openList(ListWindowModel::Kind::FileList, 2);
    list->setLoading(loading);
    press(list, ListCommand::ExportCsv);

    QCOMPARE(m_fakes->dialogs.saveFilters.size(), loading ? 0 : 1);
    QVERIFY(list->isOpen());
    QCOMPARE(list->caption(), QStringLiteral("FileList"));
    QVERIFY(timersRunning());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
    QCOMPARE(folderEntries(m_dir->path()), QStringList{});
}

void TestListCommands::failedExportLeavesNoFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("closeHalfWay");
    QTest::addColumn<QString>("reason"); // the message's; none when the list closed
    QTest::newRow("missing folder") << "missing/list.csv" << false << SystemText::FolderNotFound;
    QTest::newRow("list closed half-way") << "list.csv" << true << "";
}

void TestListCommands::failedExportLeavesNoFile() {
    QFETCH(QString, name);
    QFETCH(bool, closeHalfWay);
    QFETCH(QString, reason);

    ListWindowModel *list = openList(ListWindowModel::Kind::DataList, 3);
    const QString path = m_dir->filePath(name);
    m_fakes->dialogs.saveAnswers << path;
    if (closeHalfWay) {
        m_fakes->pump.onYield = [&](int yields) {
            if (yields != 2)
                return;
            m_program->windows().close(list);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
    }
    press(list, ListCommand::ExportCsv);

    QCOMPARE(folderEntries(m_dir->path()), QStringList{}); // no piece of a CSV file
    QVERIFY(timersRunning());
    if (closeHalfWay) {
        QVERIFY(m_fakes->dialogs.messages.isEmpty());
        return;
    }
    QCOMPARE(m_fakes->dialogs.messages.size(), 1);
    const FakeDialogs::Message &message = m_fakes->dialogs.messages.at(0);
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)) && message.text.contains(reason),
             qPrintable(message.text));
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QVERIFY(list->isOpen());
    QCOMPARE(list->records().rowCount(), 3);
    QCOMPARE(list->caption(), QStringLiteral("Data List"));
}

void TestListCommands::print() {
    ListWindowModel *list = openList(ListWindowModel::Kind::FileList, 2);
    list->setColumn0Heading(QStringLiteral("K Type \u00B0F"));
    // A hand-edited cell longer than its column is printed whole.
    list->appendRow({"123456789012345678901", "2001/05/03 14:25:05", "1234567890", "1", "-1"});
    list->setCaption(QStringLiteral("three.rdg"));
    watchYields(list);
    press(list, ListCommand::Print);

    const FakeTextPrinter::Job &job = m_fakes->printJob;
    QCOMPARE(job.dialogs, 1);
    QCOMPARE(job.fontFamily, QStringLiteral("Lucida Console"));
    QCOMPARE(job.fontSize, 8.0);
    const QStringList expected{
        " -",
        " -",
        " -",
        "",
        "         K Type \u00B0F        Date Time           T1       T2    T1-T2",
        "-        ---------------------------------------------------------",
        "                 1  2001/05/03 14:25:02     25.3      240   -214.7",
        "                 2  2001/05/03 14:25:03       OL      -OL     ----",
        "123456789012345678901  2001/05/03 14:25:051234567890        1       -1",
    };
    QCOMPARE(job.lines, expected);
    QCOMPARE(job.lines.at(4).size(), 66);
    QVERIFY(job.ended);
    QCOMPARE(m_captions, (QStringList{"0 Records Completed", "1 Records Completed",
                                      "2 Records Completed", "3 Records Completed"}));
    QCOMPARE(list->caption(), QStringLiteral("three.rdg"));
    QVERIFY(m_timersStopped);
    QVERIFY(timersRunning());
}

void TestListCommands::printEmptyFileList() {
    ListWindowModel *list = openList(ListWindowModel::Kind::FileList, 0);
    press(list, ListCommand::Print);

    QCOMPARE(m_fakes->printJob.lines,
             (QStringList{" -", " -", " -", "",
                          "         J Type \u00B0C        Date Time           T1       T2    T1-T2",
                          "-        ---------------------------------------------------------"}));
    QVERIFY(m_fakes->printJob.ended);
}

void TestListCommands::printEndsEarly_data() {
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("failAtLine");
    QTest::addColumn<int>("printed");
    QTest::newRow("printer dialog cancelled") << true << -1 << 0;
    QTest::newRow("preamble fails") << false << 1 << 1;
    QTest::newRow("heading fails") << false << 4 << 4;
    QTest::newRow("rule fails") << false << 5 << 5;
    QTest::newRow("record fails") << false << 7 << 7;
}

void TestListCommands::printEndsEarly() {
    QFETCH(bool, cancel);
    QFETCH(int, failAtLine);
    QFETCH(int, printed);

    ListWindowModel *list = openList(ListWindowModel::Kind::FileList, 3);
    list->setCaption(QStringLiteral("three.rdg"));
    m_fakes->printJob.cancelDialog = cancel;
    m_fakes->printJob.failAtLine = failAtLine;
    press(list, ListCommand::Print);

    QCOMPARE(m_fakes->printJob.lines.size(), printed);
    QVERIFY(!m_fakes->printJob.ended);
    QCOMPARE(list->caption(), QStringLiteral("three.rdg"));
    QVERIFY(timersRunning());
    QVERIFY(list->isOpen());
    QVERIFY(m_fakes->dialogs.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestListCommands)
#include "tst_list_commands.moc"
