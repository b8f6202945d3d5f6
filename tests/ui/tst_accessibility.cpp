// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_broker_client.h"
#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "graphs/real_time_t1t2_model.h"
#include "logger/memory_model.h"
#include "panel/live_list_feed.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "publish/publishing_model.h"
#include "ui/about_box.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/desk.h"
#include "ui/panel.h"
#include "ui/port.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

namespace {

// A live frame: J, °C, T1 25.3, T2 240.
const QByteArray Frame = QByteArray::fromHex("020945810080fd00f003");
// The logger memory with one set: the worked set (J, °C, 60 s, two records).
const QByteArray Dump = QByteArray::fromHex("01 021b"
                                            "120924102030 81 00 003c 0002 80fd8100 ff0080fa");

// Roles a person operates: each needs a name and an action, and the keyboard reaches it.
const QList<QAccessible::Role> OperableRoles{
    QAccessible::PushButton,     QAccessible::Button,   QAccessible::CheckBox,
    QAccessible::RadioButton,    QAccessible::ComboBox, QAccessible::EditableText,
    QAccessible::SpinBox,        QAccessible::Slider,   QAccessible::ButtonMenu,
    QAccessible::ButtonDropDown, QAccessible::Link,     QAccessible::Table,
    QAccessible::List,           QAccessible::Tree,     QAccessible::PageTab};
// Roles a person reads: each needs a name or a description.
const QList<QAccessible::Role> ReadableRoles{QAccessible::StaticText,  QAccessible::Graphic,
                                             QAccessible::ProgressBar, QAccessible::Indicator,
                                             QAccessible::Chart,       QAccessible::Canvas,
                                             QAccessible::Clock,       QAccessible::Animation};
// What walking into would list every cell or item again.
const QList<QAccessible::Role> Leaves{QAccessible::Table, QAccessible::ComboBox, QAccessible::List,
                                      QAccessible::Tree};

QString describe(QAccessibleInterface *iface) {
    QObject *object = iface->object();
    const QString name = object ? object->objectName() : QString();
    return QStringLiteral("%1 \"%2\" (%3, role 0x%4)")
        .arg(object ? QLatin1String(object->metaObject()->className()) : QLatin1String("?"), name,
             iface->text(QAccessible::Name))
        .arg(int(iface->role()), 0, 16);
}

bool hasAction(QAccessibleInterface *iface, const QString &action) {
    QAccessibleActionInterface *actions = iface->actionInterface();
    return actions && actions->actionNames().contains(action);
}

// A label that shows nothing at the moment has nothing to read.
bool showsNothing(QAccessibleInterface *iface) {
    const auto *label = qobject_cast<QLabel *>(iface->object());
    return label && label->text().isEmpty() && label->pixmap().isNull();
}

// Everything assistive technology finds wanting below the interface, one line each.
void walk(QAccessibleInterface *iface, QStringList &problems, int depth = 0) {
    if (!iface || depth > 40 || iface->state().invisible)
        return;
    const QAccessible::Role role = iface->role();
    const QString name = iface->text(QAccessible::Name);
    const QString description = iface->text(QAccessible::Description);
    if (OperableRoles.contains(role)) {
        if (name.isEmpty())
            problems << QStringLiteral("no name: ") + describe(iface);
        // A table or list is operated from within, by the keyboard's focus.
        QAccessibleActionInterface *actions = iface->actionInterface();
        if (!Leaves.contains(role) && (!actions || actions->actionNames().isEmpty()))
            problems << QStringLiteral("no action: ") + describe(iface);
        const bool pressable = role == QAccessible::PushButton || role == QAccessible::Button;
        if (pressable && !hasAction(iface, QAccessibleActionInterface::pressAction()))
            problems << QStringLiteral("no press action: ") + describe(iface);
        if (role == QAccessible::CheckBox &&
            !hasAction(iface, QAccessibleActionInterface::toggleAction()))
            problems << QStringLiteral("no toggle action: ") + describe(iface);
        if (iface->state().disabled == 0 && !iface->state().focusable)
            problems << QStringLiteral("not reached by the keyboard: ") + describe(iface);
    } else if (ReadableRoles.contains(role)) {
        if (name.isEmpty() && description.isEmpty() && !showsNothing(iface))
            problems << QStringLiteral("nothing to read: ") + describe(iface);
    }
    if (Leaves.contains(role))
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), problems, depth + 1);
}

// Widgets that look clickable (the pointing hand) and are not pressable without a mouse.
void clickables(QWidget *window, QStringList &problems) {
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->cursor().shape() != Qt::PointingHandCursor)
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        if (!iface || !hasAction(iface, QAccessibleActionInterface::pressAction()))
            problems << QStringLiteral("clickable without a press action: ") + widget->objectName();
        if (!(widget->focusPolicy() & Qt::TabFocus))
            problems << QStringLiteral("clickable out of the keyboard's reach: ") +
                            widget->objectName();
    }
}

} // namespace

// Every window as assistive technology sees it (QAccessible, the tree a screen reader
// walks): each control a person can click or read is named, has its action where it can be
// pressed, and the keyboard reaches it; the controls painted by the program itself (the
// memory gauge, the erase panel, the port label) press from the keyboard and from
// assistive technology as from the mouse.
class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everyControlIsNamedAndOperable_data();
    void everyControlIsNamedAndOperable();
    void paintedControlsPressWithoutAMouse_data();
    void paintedControlsPressWithoutAMouse();

private:
    // The window, shown and active, with its settings panel open when one is named.
    QWidget *show(const QString &window, const QString &panel = {});
    // What pressing a control of the window does, as a text that changes with each press.
    QString effect(const QString &window) const;

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    FakeBrokerClient m_broker;
    std::unique_ptr<PublishingSession> m_publishing;
    std::unique_ptr<QWidget> m_view;
};

void TestAccessibility::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_fakes->makeSurface = [] { return std::make_unique<QtImageSurface>(QApplication::font()); };
    m_program = std::make_unique<Program>(m_fakes->platform());
    m_program->choosePort(QStringLiteral("COM1"));
    QVERIFY(m_program->loadPanel());
    m_program->panel().showFrame(Frame);
}

void TestAccessibility::cleanup() {
    m_view.reset();
    m_publishing.reset();
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
}

QWidget *TestAccessibility::show(const QString &window, const QString &panel) {
    const auto fileList = [this] {
        auto *list = m_program->windows().open(std::make_unique<ListWindowModel>(
            ListWindowModel::Kind::FileList, QStringLiteral("K"), QStringLiteral("\u00B0C")));
        list->setColumn0Heading(QStringLiteral("K Type \u00B0C"));
        list->appendRow({"1", "2001/05/03 14:25:01", "25.3", "240", "-214.7"});
        list->appendRow({"2", "2001/05/03 14:25:02", "25.4", "240", "-214.6"});
        return list;
    };
    WindowModel *model = nullptr;
    if (window == QLatin1String("Port")) {
        m_view = std::make_unique<Port>([](int) { return QStringLiteral("/dev/ttyUSB0"); });
    } else if (window == QLatin1String("Panel")) {
        m_view = std::make_unique<Panel>(m_program->panel());
    } else if (window == QLatin1String("About")) {
        m_view = std::make_unique<AboutBox>();
    } else if (window == QLatin1String("List")) {
        m_program->liveList().open();
        model = m_program->list();
    } else if (window == QLatin1String("FileList")) {
        model = fileList();
    } else if (window == QLatin1String("DataList")) {
        model = m_program->windows().open(std::make_unique<ListWindowModel>(
            ListWindowModel::Kind::DataList, QStringLiteral("J"), QStringLiteral("\u00B0F")));
    } else if (window == QLatin1String("Memory")) {
        m_fakes->serial.queue(QByteArray(10, char(0xAA)));
        m_fakes->serial.queue(Dump);
        m_program->panel().frameTick();
        model = m_program->memory();
    } else if (window == QLatin1String("Alarms")) {
        m_program->panelCommands().alarms();
        model = m_program->windows().find(window);
    } else if (window == QLatin1String("RealTimeT1T2")) {
        m_program->panelCommands().graph();
        model = m_program->graph();
    } else if (window == QLatin1String("ListPlot")) {
        m_program->listCommands().plot(fileList());
        model = m_program->plot();
    } else if (window == QLatin1String("Publishing")) {
        m_publishing = std::make_unique<PublishingSession>(
            m_broker, m_program->sampler(), m_program->panel(), m_program->recorder(),
            m_fakes->clock, QStringLiteral("lab-COM1"));
        model = m_program->windows().open(std::make_unique<PublishingModel>(*m_publishing));
    }
    if (model)
        m_view.reset(Desk::makeView(*model));
    if (!m_view)
        return nullptr;
    // The panel's timers run while the window is shown: the meter speaks at every wait
    // (after a dump has come in, which the meter sends alone).
    m_fakes->pump.onWait = [this](int) { m_fakes->serial.queue(Frame); };
    m_view->show();
    m_view->activateWindow();
    if (!QTest::qWaitForWindowActive(m_view.get()))
        return nullptr;
    if (!panel.isEmpty()) {
        auto *graph = qobject_cast<GraphWindowModel *>(model);
        if (!graph)
            return nullptr;
        graph->run(panel == QLatin1String("PFunction") ? GraphCommand::Function
                                                       : GraphCommand::Range);
        QCoreApplication::processEvents();
        QWidget *shown = m_view->findChild<QWidget *>(panel);
        if (!shown || !shown->isVisible())
            return nullptr;
    }
    return m_view.get();
}

void TestAccessibility::everyControlIsNamedAndOperable_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("panel");
    // Controls that must be found pressable, by object name: the ones the program paints.
    QTest::addColumn<QStringList>("pressable");

    QTest::newRow("Port") << "Port" << QString() << QStringList{"CmdOK"};
    QTest::newRow("Panel") << "Panel" << QString()
                           << QStringList{"LblCOM", "Save", "Open", "Alarms"};
    QTest::newRow("Alarms") << "Alarms" << QString() << QStringList{"Acknowledge"};
    QTest::newRow("About") << "About" << QString() << QStringList();
    QTest::newRow("List") << "List" << QString() << QStringList{"Save", "ExportCsv"};
    QTest::newRow("FileList") << "FileList" << QString() << QStringList{"Plot", "Print"};
    QTest::newRow("DataList") << "DataList" << QString() << QStringList{"Save"};
    QTest::newRow("Memory") << "Memory" << QString()
                            << QStringList{"MSize", "SSPanel2", "CmdCompare"};
    QTest::newRow("RealTimeT1T2") << "RealTimeT1T2" << QString()
                                  << QStringList{"Function", "Range", "Print", "SaveImage"};
    QTest::newRow("RealTimeT1T2 PFunction")
        << "RealTimeT1T2"
        << "PFunction" << QStringList{"CmdFunctionOK", "CmdFunctionCancel"};
    QTest::newRow("RealTimeT1T2 PRange") << "RealTimeT1T2"
                                         << "PRange" << QStringList{"CmdRangeOK", "CmdRangeCancel"};
    QTest::newRow("ListPlot") << "ListPlot" << QString()
                              << QStringList{"Function", "Range", "Print", "SaveImage"};
    QTest::newRow("ListPlot PFunction")
        << "ListPlot"
        << "PFunction" << QStringList{"CmdFunctionOK", "CmdFunctionCancel"};
    QTest::newRow("ListPlot PRange") << "ListPlot"
                                     << "PRange" << QStringList{"CmdRangeOK", "CmdRangeCancel"};
    QTest::newRow("Publishing") << "Publishing" << QString()
                                << QStringList{"BtnPublish", "BtnStopPublishing"};
}

void TestAccessibility::everyControlIsNamedAndOperable() {
    QFETCH(QString, window);
    QFETCH(QString, panel);
    QFETCH(QStringList, pressable);

    QWidget *view = show(window, panel);
    QVERIFY(view);
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(view);
    QVERIFY(root);
    QVERIFY(!root->text(QAccessible::Name).isEmpty());

    QStringList problems;
    walk(root, problems);
    clickables(view, problems);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    for (const QString &name : pressable) {
        QObject *control = view->findChild<QWidget *>(name);
        if (!control) {
            // A toolbar button: the widget of its action.
            if (auto *action = view->findChild<QAction *>(name)) {
                for (QObject *widget : action->associatedObjects()) {
                    if (widget->isWidgetType() && widget != view)
                        control = widget;
                }
            }
        }
        QVERIFY2(control, qPrintable(name));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(iface, qPrintable(name));
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(name));
        QVERIFY2(hasAction(iface, QAccessibleActionInterface::pressAction()), qPrintable(name));
        QVERIFY2(iface->state().focusable, qPrintable(name));
    }

    // A graph's picture says in words what it shows.
    if (qobject_cast<GraphWindowModel *>(m_program->windows().find(window))) {
        const QString description = root->text(QAccessible::Description);
        QVERIFY2(description.contains(QStringLiteral("T1 in blue")), qPrintable(description));
        QVERIFY2(description.contains(QStringLiteral("\u00B0C")), qPrintable(description));
    }
}

void TestAccessibility::paintedControlsPressWithoutAMouse_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name"); // what assistive technology reads
    QTest::addColumn<QString>("way");

    const struct {
        const char *window;
        const char *control;
        const char *name;
    } controls[] = {{"Memory", "MSize", "Memory Size  1 %"},
                    {"Memory", "SSPanel2", "Erase memory"},
                    {"Panel", "LblCOM", "COM1"}};
    for (const auto &c : controls) {
        for (const char *way : {"Tab, Space", "Tab, Return", "Tab, Enter", "press action"})
            QTest::addRow("%s %s: %s", c.window, c.control, way)
                << c.window << c.control << c.name << way;
    }
}

void TestAccessibility::paintedControlsPressWithoutAMouse() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, way);

    QWidget *view = show(window);
    QVERIFY(view);
    auto *widget = view->findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QVERIFY(!iface->text(QAccessible::Description).isEmpty());

    // Every erase question is cancelled: nothing goes to the meter.
    m_fakes->dialogs.answers << Dialogs::Answer::Cancel;
    const QString before = effect(window);
    if (way == QLatin1String("press action")) {
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // A button's press action shows the press before it clicks.
        QTRY_VERIFY2(effect(window) != before, qPrintable(effect(window)));
    } else {
        // Tab walks the window's controls until it reaches this one.
        for (int presses = 0; presses < 40 && QApplication::focusWidget() != widget; ++presses)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view,
                            Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), widget);
        const Qt::Key key = way.endsWith(QLatin1String("Space"))    ? Qt::Key_Space
                            : way.endsWith(QLatin1String("Return")) ? Qt::Key_Return
                                                                    : Qt::Key_Enter;
        QTest::keyClick(widget, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    }
    QVERIFY2(effect(window) != before, qPrintable(effect(window)));
    QVERIFY(m_fakes->serial.written.isEmpty());
}

QString TestAccessibility::effect(const QString &window) const {
    if (window == QLatin1String("Panel"))
        return m_program->panel().caption();
    QStringList questions;
    for (const FakeDialogs::Message &message : std::as_const(m_fakes->dialogs.messages))
        questions << message.text;
    return questions.join(QLatin1Char('|'));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
