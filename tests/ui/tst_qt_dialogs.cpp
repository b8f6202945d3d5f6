// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/stored_settings.h"
#include "ui/adapters/qt_dialogs.h"
#include "file_dialog_answer.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>


// The file dialogs start in the folder each was last left in, also in a later run, and
// write that folder to the settings file at once.
class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void eachDialogStartsWhereItWasLeft();
    void aDialogLeftOpenFailsWithinItsDeadline();

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
    {
        FileDialogAnswer answer([&](QFileDialog *dialog) {
            shownIn = dialog->directory().absolutePath();
            dialog->reject();
        });
        QCOMPARE(dialogs.openFile(QStringLiteral("All Files (*.rdg)|*.rdg|")), QString());
        QVERIFY2(answer.failure().isEmpty(), qPrintable(answer.failure()));
        QCOMPARE(shownIn, logs);
    }
    {
        const QString chosen = QDir(elsewhere).filePath(QStringLiteral("new.rdg"));
        FileDialogAnswer answer([&](QFileDialog *dialog) {
            shownIn = dialog->directory().absolutePath();
            FileDialogAnswer::accept(dialog, chosen);
        });
        const QString saved = dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|"));
        QVERIFY2(answer.failure().isEmpty(), qPrintable(answer.failure()));
        QCOMPARE(saved, chosen);
        QCOMPARE(shownIn, runs);
    }

    // The save dialog's new folder is stored at once; the open dialog's stays.
    StoredSettings stored;
    QCOMPARE(stored.lastFolder(StoredSettings::Dialog::Save), elsewhere);
    QCOMPARE(stored.lastFolder(StoredSettings::Dialog::Open), logs);
    {
        const QString chosen = QDir(logs).filePath(QStringLiteral("old.rdg"));
        FileDialogAnswer answer([&](QFileDialog *dialog) {
            shownIn = dialog->directory().absolutePath();
            FileDialogAnswer::accept(dialog, chosen);
        });
        const QString opened = dialogs.openFile(QStringLiteral("All Files (*.rdg)|*.rdg|"));
        QVERIFY2(answer.failure().isEmpty(), qPrintable(answer.failure()));
        QCOMPARE(opened, chosen);
        QCOMPARE(shownIn, logs);
    }
}

// A dialog that the answer leaves open is closed at the deadline, and the test hears why.
void TestQtDialogs::aDialogLeftOpenFailsWithinItsDeadline() {
    QtDialogs dialogs;
    FileDialogAnswer answer([](QFileDialog *) {}, 300);
    QCOMPARE(dialogs.saveFile(QStringLiteral("Data Files (*.rdg)|*.rdg|")), QString());
    QVERIFY(answer.answered());
    QVERIFY(answer.failure().contains(QLatin1String("still open")));
}

QTEST_MAIN(TestQtDialogs)
#include "tst_qt_dialogs.moc"
