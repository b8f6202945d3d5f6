// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_platform.h"
#include "fakes/meter_frames.h"
#include "lists/list_window_model.h"
#include "panel/live_list_feed.h"
#include "panel/panel_model.h"
#include "panel/sampler.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"
#include "ui/adapters/qt_text_printer.h"
#include "ui/list_window.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QHeaderView>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>

Q_DECLARE_METATYPE(ListWindowModel::Kind)

namespace {

const RecordRow Row{"12", "2001/05/03 14:25:02", "-123.4", "OL", "----"};

// Opens a list window as its command would, headed by the live type and unit.
ListWindowModel *openList(Program &program, ListWindowModel::Kind kind) {
    if (kind == ListWindowModel::Kind::List) {
        program.liveList().open();
        return program.list();
    }
    const LiveValues &live = program.panel().live();
    return program.windows().open(
        std::make_unique<ListWindowModel>(kind, live.TypeText, live.UnitText));
}

} // namespace

// The record list windows' real widgets, offscreen, wired to their models without the
// application around them; and one real printout to a PDF file.
class TestListWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void showsItsModel_data();
    void showsItsModel();
    void showsTenRowsAndScrollsWithTheModel();
    void holdsOnlyTheRowsInSight();
    void liveListKeepsTheNewestRowInView();
    void closingTheWindowClosesTheList();
    void printsAFileListToPdf();
};

void TestListWindow::cleanup() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestListWindow::showsItsModel_data() {
    QTest::addColumn<ListWindowModel::Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QStringList>("tooltips");
    QTest::newRow("List") << ListWindowModel::Kind::List << "List"
                          << "Real Time List" << QStringList{"Save", "ExportCsv"}
                          << QStringList{"Save As (Ctrl+S)", "Export CSV"};
    QTest::newRow("FileList") << ListWindowModel::Kind::FileList << "FileList"
                              << "FileList" << QStringList{"Plot", "Print", "ExportCsv"}
                              << QStringList{"Graphic Plot", "Print (Ctrl+P)", "Export CSV"};
    QTest::newRow("DataList") << ListWindowModel::Kind::DataList << "DataList"
                              << "Data List" << QStringList{"Save", "ExportCsv"}
                              << QStringList{"Save (Ctrl+S)", "Export CSV"};
}

void TestListWindow::showsItsModel() {
    QFETCH(ListWindowModel::Kind, kind);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QStringList, keys);
    QFETCH(QStringList, tooltips);

    FakePlatform fakes;
    Program program(fakes.platform());
    program.panel().showFrame(MeterFrames::liveFrame("25.3", "240", "K", "\u00B0F"));
    ListWindowModel *model = openList(program, kind);
    QAbstractItemModelTester tester(&model->grid());
    model->appendRow(Row);
    ListWindow window(*model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.objectName(), name);
    QCOMPARE(window.windowTitle(), caption);
    auto *toolbar = window.findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QVERIFY(toolbar);
    QStringList shownKeys, shownTips, hiddenKeys;
    for (const QAction *action : toolbar->actions()) {
        QVERIFY2(!action->icon().isNull(), qPrintable(action->objectName()));
        if (!action->isVisible()) {
            hiddenKeys << action->objectName();
            continue;
        }
        shownKeys << action->objectName();
        shownTips << action->toolTip();
    }
    QCOMPARE(shownKeys, keys);
    QCOMPARE(shownTips, tooltips);
    // "Plot All Parts" waits for a file with continuation files.
    QCOMPARE(hiddenKeys,
             kind == ListWindowModel::Kind::FileList ? QStringList{"PlotAll"} : QStringList());

    auto *grid = window.findChild<QTableView *>(QStringLiteral("GridN"));
    QVERIFY(grid);
    const QStringList headings{"K Type \u00B0F", "     Date Time    ", "T1", "T2", "T1-T2"};
    const QFontMetrics metrics = grid->fontMetrics();
    for (int column = 0; column < RecordColumnCount; ++column) {
        QCOMPARE(grid->model()->headerData(column, Qt::Horizontal).toString(), headings.at(column));
        // Every column is wide enough for what it holds.
        QVERIFY2(grid->columnWidth(column) > metrics.horizontalAdvance(Row[column]),
                 qPrintable(Row[column]));
    }
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, 1).data().toString(), Row[1]);

    // The caption follows the model once events run.
    model->setCaption(QStringLiteral("7 Records Completed"));
    QTRY_COMPARE(window.windowTitle(), QStringLiteral("7 Records Completed"));
}

void TestListWindow::showsTenRowsAndScrollsWithTheModel() {
    FakePlatform fakes;
    Program program(fakes.platform());
    ListWindowModel *model = openList(program, ListWindowModel::Kind::FileList);
    for (int i = 1; i <= 25; ++i)
        model->appendRow({QString::number(i), Row[1], Row[2], Row[3], Row[4]});
    ListWindow window(*model);
    QAbstractItemModelTester tester(window.table()->model());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    QTableView *grid = window.table();
    QScrollBar *scrollBar = window.scrollBar();
    const auto shownAt = [grid](int y) {
        return grid->model()->index(grid->rowAt(y), 0).data().toString();
    };

    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    const int height = grid->viewport()->height();
    QVERIFY2(height >= 10 * rowHeight && height < 11 * rowHeight,
             qPrintable(QStringLiteral("%1 px for rows of %2 px").arg(height).arg(rowHeight)));
    QCOMPARE(scrollBar->maximum(), 15);
    QCOMPARE(shownAt(0), QStringLiteral("1"));
    QCOMPARE(shownAt(height - 1), QStringLiteral("10"));

    for (int i = 0; i < 3; ++i)
        model->scrollDown();
    QCOMPARE(scrollBar->value(), 3);
    QCOMPARE(shownAt(0), QStringLiteral("4"));

    // The user's scroll bar moves the model too.
    scrollBar->setValue(15);
    QCOMPARE(model->firstVisibleRow(), 15);
    QCOMPARE(shownAt(0), QStringLiteral("16"));
    QCOMPARE(shownAt(height - 1), QStringLiteral("25"));

    // So do the wheel over the grid and the keys in it, the current record kept in view.
    scrollBar->setValue(0);
    QWheelEvent wheel(QPointF(10, 10), grid->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->viewport(), &wheel);
    QVERIFY(model->firstVisibleRow() > 0);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int first;
        const char *current;
    } keys[] = {
        {Qt::Key_Home, Qt::ControlModifier, 0, "1"},  {Qt::Key_PageDown, Qt::NoModifier, 1, "11"},
        {Qt::Key_Down, Qt::NoModifier, 2, "12"},      {Qt::Key_Up, Qt::NoModifier, 2, "11"},
        {Qt::Key_End, Qt::ControlModifier, 15, "25"}, {Qt::Key_PageUp, Qt::NoModifier, 14, "15"}};
    for (const auto &k : keys) {
        QTest::keyClick(grid, k.key, k.modifiers);
        QCOMPARE(model->firstVisibleRow(), k.first);
        QCOMPARE(scrollBar->value(), k.first);
        QCOMPARE(grid->currentIndex().siblingAtColumn(0).data().toString(),
                 QLatin1String(k.current));
    }
}

void TestListWindow::holdsOnlyTheRowsInSight() {
    FakePlatform fakes;
    Program program(fakes.platform());
    ListWindowModel *model = openList(program, ListWindowModel::Kind::FileList);
    constexpr int Records = 100000;
    for (int i = 1; i <= Records; ++i)
        model->appendRow({QString::number(i), Row[1], Row[2], Row[3], Row[4]});
    ListWindow window(*model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();

    // The view keeps bookkeeping for the rows it is handed: only those in sight.
    QTableView *grid = window.table();
    QVERIFY2(grid->model()->rowCount() <= ListWindowModel::VisibleDataRows + 1,
             qPrintable(QString::number(grid->model()->rowCount())));
    QCOMPARE(grid->verticalHeader()->count(), grid->model()->rowCount());
    QCOMPARE(window.scrollBar()->maximum(), Records - ListWindowModel::VisibleDataRows);
    window.scrollBar()->setValue(window.scrollBar()->maximum());
    const int bottom = grid->viewport()->height() - 1;
    QCOMPARE(grid->model()->index(grid->rowAt(bottom), 0).data().toString(),
             QString::number(Records));
}

void TestListWindow::liveListKeepsTheNewestRowInView() {
    FakePlatform fakes;
    Program program(fakes.platform());
    program.panel().showFrame(MeterFrames::liveFrame("25.3", "240", "K", "\u00B0C"));
    program.panelCommands().list();
    ListWindowModel *model = program.list();
    ListWindow window(*model);
    QAbstractItemModelTester tester(window.table()->model());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableView *grid = window.table();

    // Twelve samples a second apart, the window's events running between them: the view
    // scrolls by one row for each past the tenth.
    for (int i = 0; i < 12; ++i) {
        fakes.clock.advance(1);
        program.sampler().tick();
        QCoreApplication::processEvents();
    }
    QCOMPARE(model->records().rowCount(), 12);
    QCOMPARE(model->firstVisibleRow(), 2);
    QCOMPARE(window.scrollBar()->value(), 2);
    QCOMPARE(window.scrollBar()->maximum(), 2);
    QCOMPARE(grid->model()->index(grid->rowAt(grid->viewport()->height() - 1), 0).data(),
             QVariant(QStringLiteral("12")));
}

void TestListWindow::closingTheWindowClosesTheList() {
    FakePlatform fakes;
    Program program(fakes.platform());
    program.panelCommands().list();
    for (int i = 0; i < 5; ++i)
        program.sampler().tick();
    QCOMPARE(program.liveList().ListCount(), 5);
    ListWindow window(*program.list());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QAction *>(QStringLiteral("Save"))->trigger(); // cancelled: stays open
    QCOMPARE(fakes.dialogs.saveFilters.size(), 1);
    QVERIFY(program.list());

    window.close();
    QVERIFY(!program.list());
    QVERIFY(!program.ListOpen());
    QCOMPARE(program.liveList().ListCount(), 0);
}

void TestListWindow::printsAFileListToPdf() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    FakePlatform fakes;
    fakes.makeTextPrinter = [pdf] { return std::make_unique<QtTextPrinter>(pdf); };
    Program program(fakes.platform());
    ListWindowModel *list = openList(program, ListWindowModel::Kind::FileList);
    list->setColumn0Heading(QStringLiteral("J Type \u00B0C"));
    list->appendRow(Row);
    list->appendRow({"13", "2001/05/03 14:25:03", "-123.5", "OL", "----"});
    program.listCommands().print(list);

    QVERIFY(QFileInfo(pdf).size() > 0);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return;
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished());
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("J Type \u00B0C")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("2001/05/03 14:25:03")), qPrintable(text));
    QVERIFY2(text.contains(QString(57, QLatin1Char('-'))), qPrintable(text));
}

QTEST_MAIN(TestListWindow)
#include "tst_list_window.moc"
