#include "adapters/stored_settings.h"
#include "ui/adapters/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Answers the next file dialog: hand it to the test once it is shown.
void whenFileDialogShows(std::function<void(QFileDialog *)> answer) {
    auto *poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(dialog);
        }
    });
    poll->start();
}

} // namespace

// The file dialogs start in the folder each was last left in, also in a later run, and
// write that folder to the settings file at once.
class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachDialogStartsWhereItWasLeft();

private:
    QString folder(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QTemporaryDir m_config;
};

void TestQtDialogs::initTestCase() {
    QVERIFY(m_dir.isValid() && m_config.isValid());
    // Never the user's own settings: every settings file of this run goes to m_config.
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    QCoreApplication::setOrganizationName(QStringLiteral("ThermoDesk"));
    QCoreApplication::setApplicationName(QStringLiteral("ThermoDesk"));
    for (const char *name : {"logs", "runs", "elsewhere"})
        QVERIFY(QDir().mkdir(folder(QString::fromLatin1(name))));
    QFile file(folder(QStringLiteral("logs/old.rdg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestQtDialogs::eachDialogStartsWhereItWasLeft() {
    const QString logs = folder(QStringLiteral("logs"));
    const QString runs = folder(QStringLiteral("runs"));
    const QString elsewhere = folder(QStringLiteral("elsewhere"));
    {
        StoredSettings stored;
        QVERIFY(stored.fileName().startsWith(m_config.path()));
        stored.setLastFolder(StoredSettings::Dialog::Open, logs);
        stored.setLastFolder(StoredSettings::Dialog::Save, runs);
    }

    // A later run: each dialog opens in its own folder.
    QtDialogs dialogs;
    QString shownIn;
    whenFileDialogShows([&](QFileDialog *dialog) {
        shownIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    QCOMPARE(dialogs.openFile(QStringLiteral("All Files (*.rdg)|*.rdg|")), QString());
    QCOMPARE(shownIn, logs);
    whenFileDialogShows([&](QFileDialog *dialog) {
        shownIn = dialog->directory().absolutePath();
        dialog->setDirectory(elsewhere);
        dialog->selectFile(QDir(elsewhere).filePath(QStringLiteral("new.rdg")));
        static_cast<QDialog *>(dialog)->accept(); // public there
    });
    QCOMPARE(dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|")),
             QDir(elsewhere).filePath(QStringLiteral("new.rdg")));
    QCOMPARE(shownIn, runs);

    // The save dialog's new folder is stored at once; the open dialog's stays.
    StoredSettings stored;
    QCOMPARE(stored.lastFolder(StoredSettings::Dialog::Save), elsewhere);
    QCOMPARE(stored.lastFolder(StoredSettings::Dialog::Open), logs);
    whenFileDialogShows([&](QFileDialog *dialog) {
        shownIn = dialog->directory().absolutePath();
        dialog->selectFile(QDir(logs).filePath(QStringLiteral("old.rdg")));
        static_cast<QDialog *>(dialog)->accept(); // public there
    });
    QCOMPARE(dialogs.openFile(QStringLiteral("All Files (*.rdg)|*.rdg|")),
             QDir(logs).filePath(QStringLiteral("old.rdg")));
    QCOMPARE(shownIn, logs);
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
