// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowing/command_window.h"
#include "windowing/window_registry.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

// The registry of open windows and the window model's toolbar: how every window opens,
// closes and forwards its buttons.
class TestWindowRegistry : public QObject {
    Q_OBJECT

private slots:
    void openingAnnouncesTheWindow();
    void aSecondWindowOfTheNameReplacesTheFirst();
    void closingAnnouncesAndDeletesLater();
    void disabledButtonsAreNotForwarded();
};

namespace {

enum class TestCommand { Save, Print };

// A window with one button, "Save"; it has no "Print".
class TestWindow : public CommandWindow<TestCommand> {
public:
    explicit TestWindow(const QString &name)
        : CommandWindow(name, name + QStringLiteral(" caption"),
                        {button(TestCommand::Save, ToolKeys::Save, QStringLiteral("Save As"),
                                QStringLiteral("save"))},
                        nullptr) {}
};

std::unique_ptr<WindowModel> window(const QString &name) {
    return std::make_unique<TestWindow>(name);
}

} // namespace

void TestWindowRegistry::openingAnnouncesTheWindow() {
    WindowRegistry registry;
    QSignalSpy opened(&registry, &WindowRegistry::windowOpened);
    WindowModel *list = registry.open(window(QStringLiteral("List")));

    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).value<WindowModel *>(), list);
    QVERIFY(list->isOpen());
    QVERIFY(registry.isOpen(QStringLiteral("List")));
    QVERIFY(!registry.isOpen(QStringLiteral("FileList")));
    QCOMPARE(registry.find(QStringLiteral("List")), list);
}

void TestWindowRegistry::aSecondWindowOfTheNameReplacesTheFirst() {
    WindowRegistry registry;
    QStringList announcements;
    connect(&registry, &WindowRegistry::windowOpened, this,
            [&](WindowModel *w) { announcements << "opened " + w->caption(); });
    connect(&registry, &WindowRegistry::windowClosed, this,
            [&](WindowModel *w) { announcements << "closed " + w->caption(); });
    QPointer<WindowModel> first = registry.open(window(QStringLiteral("FileList")));
    registry.open(window(QStringLiteral("List")));
    first->setCaption(QStringLiteral("first.rdg"));
    WindowModel *second = registry.open(window(QStringLiteral("FileList")));

    QCOMPARE(announcements, (QStringList{"opened FileList caption", "opened List caption",
                                         "closed first.rdg", "opened FileList caption"}));
    QCOMPARE(registry.find(QStringLiteral("FileList")), second);
    QVERIFY(registry.isOpen(QStringLiteral("List")));
    QVERIFY(first && !first->isOpen());
}

void TestWindowRegistry::closingAnnouncesAndDeletesLater() {
    WindowRegistry registry;
    QSignalSpy closed(&registry, &WindowRegistry::windowClosed);
    QPointer<WindowModel> list = registry.open(window(QStringLiteral("List")));

    list->requestClose(); // the user closed the view
    QCOMPARE(closed.count(), 1);
    QVERIFY(!registry.isOpen(QStringLiteral("List")));
    // Long work that still holds the model sees it closed, not gone, until events run.
    QVERIFY(list && !list->isOpen());
    registry.close(list); // closing again does nothing
    QCOMPARE(closed.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!list);
}

void TestWindowRegistry::disabledButtonsAreNotForwarded() {
    TestWindow model(QStringLiteral("List"));
    QList<TestCommand> pressed;
    model.onCommand(this, [&pressed](TestCommand command) { pressed << command; });
    QSignalSpy changed(&model, &WindowModel::toolbarChanged);

    model.press(TestCommand::Save);
    model.setEnabled(TestCommand::Save, false);
    model.press(TestCommand::Save);
    model.press(TestCommand::Print); // no such button
    QCOMPARE(pressed, QList<TestCommand>{TestCommand::Save});
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model.isEnabled(TestCommand::Save));
    QVERIFY(!model.isEnabled(TestCommand::Print));

    model.setEnabled(TestCommand::Save, true);
    model.setVisible(TestCommand::Save, false);
    model.press(TestCommand::Save); // hidden: not offered
    QCOMPARE(pressed.size(), 1);
    model.setVisible(TestCommand::Save, true);
    model.press(TestCommand::Save);
    QCOMPARE(pressed, (QList<TestCommand>{TestCommand::Save, TestCommand::Save}));
}

QTEST_GUILESS_MAIN(TestWindowRegistry)
#include "tst_window_registry.moc"
