// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/stored_settings.h"
#include "fakes/file_checks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// What stays between runs: the folders and the port mappings come back in a later run; a
// settings file that is damaged, unreadable or not ours is ignored and never overwritten.
class TestStoredSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keptForTheNextRun();
    void absentFileHoldsNothing();
    void unusableFileIsIgnoredAndKept_data();
    void unusableFileIsIgnoredAndKept();
    void forgetRemovesTheFile();

private:
    QString file() const { return m_dir->filePath(QStringLiteral("ThermoDesk.conf")); }
    void write(const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStoredSettings::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestStoredSettings::cleanup() {
    m_dir.reset();
}

void TestStoredSettings::write(const QByteArray &bytes) const {
    QFile out(file());
    QVERIFY(out.open(QIODevice::WriteOnly));
    QCOMPARE(out.write(bytes), bytes.size());
}

void TestStoredSettings::keptForTheNextRun() {
    const QStringList mappings{"COM2=/dev/serial/by-id/usb-x, y-if00", "COM1=/dev/ttyUSB0"};
    {
        StoredSettings settings(file());
        QCOMPARE(settings.problem(), QString());
        settings.setLastFolder(StoredSettings::Dialog::Open, QStringLiteral("/srv/logs/"));
        settings.setLastFolder(StoredSettings::Dialog::Save, QStringLiteral("/home/a/runs"));
        settings.setPortMappings(mappings);
        // Written at once, not only when the program ends: a crash keeps them too.
        QVERIFY(fileBytes(file()).contains("ttyUSB0"));
    }
    StoredSettings later(file());
    QCOMPARE(later.problem(), QString());
    QCOMPARE(later.lastFolder(StoredSettings::Dialog::Open), QStringLiteral("/srv/logs"));
    QCOMPARE(later.lastFolder(StoredSettings::Dialog::Save), QStringLiteral("/home/a/runs"));
    QCOMPARE(later.portMappings(), mappings);

    // The mappings given last replace the earlier ones; one alone comes back as a list.
    later.setPortMappings({"COM3=/dev/ttyACM0"});
    QCOMPARE(StoredSettings(file()).portMappings(), QStringList{"COM3=/dev/ttyACM0"});
    // What no run would store is not stored.
    later.setLastFolder(StoredSettings::Dialog::Open, QStringLiteral("relative/folder"));
    later.setPortMappings({"COM1"});
    QCOMPARE(StoredSettings(file()).lastFolder(StoredSettings::Dialog::Open),
             QStringLiteral("/srv/logs"));
    QCOMPARE(StoredSettings(file()).portMappings(), QStringList{"COM3=/dev/ttyACM0"});
}

void TestStoredSettings::absentFileHoldsNothing() {
    StoredSettings settings(file());
    QCOMPARE(settings.problem(), QString());
    QCOMPARE(settings.lastFolder(StoredSettings::Dialog::Save), QString());
    QCOMPARE(settings.portMappings(), QStringList());
    QVERIFY(!QFile::exists(file()));
}

void TestStoredSettings::unusableFileIsIgnoredAndKept_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: the path is a folder, which cannot be read
    QTest::addColumn<QString>("problem");

    const QString notOurs = QStringLiteral("it holds what this program did not write");
    QTest::newRow("unreadable") << QByteArray() << QStringLiteral("it cannot be read");
    QTest::newRow("broken syntax")
        << QByteArray("[ports\nmappings=COM1=/dev/x\n=====\n") << QStringLiteral("it is damaged");
    QTest::newRow("random bytes") << QByteArray("\x8f\x01[\xff\xfe=\x02\n\x7f\x80q=\xc3(\n", 16)
                                  << notOurs;
    QTest::newRow("mapping out of range")
        << QByteArray("[ports]\nmappings=COM99=/dev/x\n") << notOurs;
    QTest::newRow("mapping without device") << QByteArray("[ports]\nmappings=COM1=\n") << notOurs;
    QTest::newRow("relative folder") << QByteArray("[folders]\nopen=logs\n") << notOurs;
    QTest::newRow("folder as a number list") << QByteArray("[folders]\nsave=1, 2\n") << notOurs;
}

void TestStoredSettings::unusableFileIsIgnoredAndKept() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);

    if (bytes.isEmpty())
        QVERIFY(QDir().mkdir(file()));
    else
        write(bytes);

    StoredSettings settings(file());
    QCOMPARE(settings.problem(), problem);
    QCOMPARE(settings.lastFolder(StoredSettings::Dialog::Open), QString());
    QCOMPARE(settings.portMappings(), QStringList());
    // Ignored means not used and not overwritten: the user may still want to mend it.
    settings.setLastFolder(StoredSettings::Dialog::Open, QStringLiteral("/srv"));
    settings.setPortMappings({"COM1=/dev/ttyUSB0"});
    if (!bytes.isEmpty())
        QCOMPARE(fileBytes(file()), bytes);
}

void TestStoredSettings::forgetRemovesTheFile() {
    StoredSettings(file()).setPortMappings({"COM1=/dev/ttyUSB0"});
    QVERIFY(QFile::exists(file()));
    QString error;
    QVERIFY(StoredSettings::forget(file(), &error));
    QVERIFY(!QFile::exists(file()));
    QCOMPARE(StoredSettings(file()).portMappings(), QStringList());
    // Nothing to forget is no failure; a damaged file is forgotten like any other.
    QVERIFY(StoredSettings::forget(file(), &error));
    write("[ports\n=\n");
    QVERIFY(StoredSettings::forget(file(), &error));
    QVERIFY(!QFile::exists(file()));
    // A folder where the file should be is not removed.
    QVERIFY(QDir().mkdir(file()));
    QVERIFY(!StoredSettings::forget(file(), &error));
    QCOMPARE(error, QStringLiteral("it is a folder"));
}

QTEST_GUILESS_MAIN(TestStoredSettings)
#include "tst_stored_settings.moc"
