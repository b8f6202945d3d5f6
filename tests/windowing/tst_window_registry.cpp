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

std::unique_ptr<WindowModel> window(const QString &name) {
    return std::make_unique<WindowModel>(
        name, name + QStringLiteral(" caption"),
        QList<ToolButton>{{QStringLiteral("Save"), QStringLiteral("Save As"), 1}});
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
    WindowModel model(QStringLiteral("List"), QStringLiteral("Real Time List"),
                      {{QStringLiteral("Save"), QStringLiteral("Save As"), 1}});
    QSignalSpy pressed(&model, &WindowModel::toolButtonPressed);
    QSignalSpy changed(&model, &WindowModel::toolbarChanged);

    model.pressToolButton(QStringLiteral("Save"));
    model.setToolButtonEnabled(QStringLiteral("Save"), false);
    model.pressToolButton(QStringLiteral("Save"));
    model.pressToolButton(QStringLiteral("Print")); // no such button
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(changed.count(), 1);

    model.setToolButtonEnabled(QStringLiteral("Save"), true);
    model.pressToolButton(QStringLiteral("Save"));
    QCOMPARE(pressed.count(), 2);
}

QTEST_GUILESS_MAIN(TestWindowRegistry)
#include "tst_window_registry.moc"
