// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "logger/memory_model.h"
#include "panel/live_list_feed.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "ui/about_box.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"
#include "ui/panel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

// The standard keys, the same in every window: shown in the toolbars' tooltips and
// answered by the window in front, Ctrl+W and Esc closing a list or a graph (never the
// panel), F1 the About box with the version and the README's usage.
class TestWindowKeys : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keysOfEveryWindow_data();
    void keysOfEveryWindow();
    void closeKeysSpareThePanel();
    void f1ShowsTheAboutBox();
    void everyWindowHasItsView_data();
    void everyWindowHasItsView();

private:
    // The window's model, opened as its command opens it, and its view.
    WindowModel *open(const QString &name);
    QWidget *show(WindowModel *model);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QWidget> m_view;
};

void TestWindowKeys::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_fakes->makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    m_program = std::make_unique<Program>(m_fakes->platform());
    m_program->choosePort(QStringLiteral("COM1"));
    QVERIFY(m_program->loadPanel());
    // The panel's timers run while the windows come and go: the meter speaks at every wait.
    const QByteArray frame = QByteArray::fromHex("020945810080fd00f003");
    m_fakes->pump.onWait = [this, frame](int) { m_fakes->serial.queue(frame); };
    m_program->panel().showFrame(frame);
}

void TestWindowKeys::cleanup() {
    m_view.reset();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

WindowModel *TestWindowKeys::open(const QString &name) {
    const auto fileList = [this] {
        auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
            ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
        list->appendRow({"1", "2001/05/03 14:25:01", "25.3", "240", "-214.7"});
        list->appendRow({"2", "2001/05/03 14:25:02", "25.4", "240", "-214.6"});
        return list;
    };
    if (name == QLatin1String("Panel"))
        return &m_program->panel();
    if (name == QLatin1String("List")) {
        m_program->liveList().open();
        return m_program->list();
    }
    if (name == QLatin1String("FileList"))
        return fileList();
    if (name == QLatin1String("DataList"))
        return m_program->windows().open(std::make_unique<ListWindowModel>(
            ListWindowModel::Kind::DataList, QStringLiteral("J"), QStringLiteral("\u00B0F")));
    if (name == QLatin1String("RealTimeT1T2")) {
        m_program->panelCommands().graph();
        return m_program->graph();
    }
    if (name == QLatin1String("ListPlot")) {
        m_program->listCommands().plot(fileList());
        return m_program->plot();
    }
    if (name == QLatin1String("Memory"))
        return m_program->windows().open(std::make_unique<MemoryModel>());
    return nullptr;
}

QWidget *TestWindowKeys::show(WindowModel *model) {
    if (model == &m_program->panel())
        m_view = std::make_unique<Panel>(m_program->panel());
    else
        m_view.reset(Desk::makeView(*model));
    if (!m_view)
        return nullptr;
    m_view->show();
    m_view->activateWindow();
    if (!QTest::qWaitForWindowActive(m_view.get()))
        return nullptr;
    return m_view.get();
}

void TestWindowKeys::keysOfEveryWindow_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("tooltips");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("pressed"); // the button the key presses

    const QKeySequence save(QStringLiteral("Ctrl+S")), open(QStringLiteral("Ctrl+O")),
        print(QStringLiteral("Ctrl+P"));
    QTest::newRow("Panel") << "Panel"
                           << QStringList{"Save As (Ctrl+S)", "Open File to Read (Ctrl+O)",
                                          "Sampling Rate", "List Display", "Graphic Display"}
                           << open << "Open";
    QTest::newRow("Panel: record")
        << "Panel"
        << QStringList{"Save As (Ctrl+S)", "Open File to Read (Ctrl+O)", "Sampling Rate",
                       "List Display", "Graphic Display"}
        << save << "Save";
    QTest::newRow("List") << "List" << QStringList{"Save As (Ctrl+S)", "Export CSV"} << save
                          << "Save";
    QTest::newRow("FileList") << "FileList"
                              << QStringList{"Graphic Plot", "Print (Ctrl+P)", "Export CSV",
                                             "Plot All Parts"}
                              << print << "Print";
    QTest::newRow("DataList") << "DataList" << QStringList{"Save (Ctrl+S)", "Export CSV"} << save
                              << "Save";
    QTest::newRow("RealTimeT1T2") << "RealTimeT1T2"
                                  << QStringList{"Graphic Function", "Graphic Range",
                                                 "Print (Ctrl+P)", "Save Image"}
                                  << print << "Print";
    QTest::newRow("ListPlot") << "ListPlot"
                              << QStringList{"Plot Function", "Plot Range", "Print (Ctrl+P)",
                                             "Save Image"}
                              << print << "Print";
}

void TestWindowKeys::keysOfEveryWindow() {
    QFETCH(QString, window);
    QFETCH(QStringList, tooltips);
    QFETCH(QKeySequence, key);
    QFETCH(QString, pressed);

    WindowModel *model = open(window);
    QVERIFY(model);
    QWidget *view = show(model);
    QVERIFY(view);
    auto *toolbar = view->findChild<QToolBar *>(QStringLiteral("Toolbar1"));
    QVERIFY(toolbar);
    QStringList shown;
    for (const QAction *action : toolbar->actions())
        shown << action->toolTip();
    QCOMPARE(shown, tooltips);
    // What the model offers stays as it is: only the view adds the key.
    QCOMPARE(model->toolbar().constFirst().tooltip, tooltips.constFirst().section(" (", 0, 0));

    QSignalSpy presses(model, &WindowModel::toolButtonPressed);
    QTest::keySequence(view, key);
    QCOMPARE(presses.size(), 1);
    const int command = presses.at(0).at(0).toInt();
    const QList<ToolButton> &buttons = model->toolbar();
    const auto button =
        std::find_if(buttons.begin(), buttons.end(),
                     [command](const ToolButton &b) { return b.command == command; });
    QVERIFY(button != buttons.end());
    QCOMPARE(QString(button->key.name), pressed);

    if (window == QLatin1String("Panel"))
        return;
    // Ctrl+W and Esc close it as its close button does; a list's graph goes with it.
    for (const QKeySequence &close :
         {QKeySequence(QStringLiteral("Ctrl+W")), QKeySequence(Qt::Key_Escape)}) {
        QSignalSpy closed(&m_program->windows(), &WindowRegistry::windowClosed);
        QTest::keySequence(view, close);
        QCOMPARE(closed.size(), 1);
        QCOMPARE(closed.at(0).at(0).value<WindowModel *>(), model);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_view.reset();
        model = open(window);
        view = show(model);
        QVERIFY(view);
    }
}

void TestWindowKeys::closeKeysSpareThePanel() {
    QWidget *view = show(&m_program->panel());
    QVERIFY(view);
    QSignalSpy closing(&m_program->panel(), &WindowModel::closeRequested);
    QTest::keySequence(view, QKeySequence(QStringLiteral("Ctrl+W")));
    QTest::keySequence(view, QKeySequence(Qt::Key_Escape));
    QCOMPARE(closing.size(), 0);
    QVERIFY(view->isVisible());
}

void TestWindowKeys::f1ShowsTheAboutBox() {
    QCoreApplication::setApplicationVersion(QStringLiteral("8.0.0"));
    QWidget *panel = show(&m_program->panel());
    QVERIFY(panel);
    // From another window of the program too: here a list in front of the panel.
    QWidget *list = Desk::makeView(*open(QStringLiteral("List")));
    list->show();
    list->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(list));
    QTest::keyClick(list, Qt::Key_F1);

    auto *about = panel->findChild<AboutBox *>(QStringLiteral("About"));
    QVERIFY(about);
    QTRY_VERIFY(about->isVisible());
    QCOMPARE(about->windowTitle(), QStringLiteral("About ThermoDesk"));
    QVERIFY(about->findChild<QLabel *>(QStringLiteral("AboutVersion"))
                ->text()
                .contains(QStringLiteral("ThermoDesk 8.0.0")));
    QVERIFY(about->findChild<QLabel *>(QStringLiteral("AboutLicense"))
                ->text()
                .contains(QStringLiteral("GNU General Public License</a>, version 3 or later")));
    // The README's own words: its usage and its keys.
    const QString usage =
        about->findChild<QTextBrowser *>(QStringLiteral("AboutUsage"))->toPlainText();
    for (const char *words : {"Using it", "Open File to Read", "Export CSV", "Keys", "Ctrl+W"})
        QVERIFY2(usage.contains(QLatin1String(words)), words);
    QVERIFY(!usage.contains(QStringLiteral("Reaching a real meter")));

    // Pressed again, the same box comes to the front.
    QTest::keyClick(list, Qt::Key_F1);
    QCOMPARE(panel->findChildren<AboutBox *>().size(), 1);
    delete list;
}

void TestWindowKeys::everyWindowHasItsView_data() {
    QTest::addColumn<QString>("window");
    for (const QLatin1StringView name :
         {ListWindowModel::ListName, ListWindowModel::FileListName, ListWindowModel::DataListName,
          RealTimeT1T2Model::Name, ListPlotModel::Name, MemoryModel::Name})
        QTest::newRow(name.data()) << QString(name);
}

void TestWindowKeys::everyWindowHasItsView() {
    // The table of views is keyed by the models' own names: each window opened as its
    // command opens it gets a view named after it.
    QFETCH(QString, window);
    WindowModel *model = open(window);
    QVERIFY(model);
    QCOMPARE(model->name(), window);
    std::unique_ptr<QWidget> view(Desk::makeView(*model));
    QVERIFY(view);
    QCOMPARE(view->objectName(), window);
}

QTEST_MAIN(TestWindowKeys)
#include "tst_window_keys.moc"
