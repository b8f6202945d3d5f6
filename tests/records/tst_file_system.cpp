// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/system_texts.h"
#include "platform/file_handle.h"
#include "records/native_file_system.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

} // namespace

// The system's files as the record files' reader and writer use them, through the
// implementation built for this system (POSIX, or Win32 under Wine): the same contract.
class TestFileSystem : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesWholeCutsBackAndGoesOn();
    void createNewRefusesATakenName();
    void replaceTakesThePlaceOfTheOldFile();
    void looksAtWhatAPathNames();
    void readsARegularFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }

    FileSystem &m_files = nativeFileSystem();
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestFileSystem::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestFileSystem::writesWholeCutsBackAndGoesOn() {
    FileSystem::Failure failure;
    auto file = m_files.create(path("a.rdg"), failure);
    QVERIFY2(file, qPrintable(failure.reason));
    QCOMPARE(file->write("1\tx\t\r\n2\ty\t"), 10);
    QVERIFY(file->sync());
    QCOMPARE(file->size(), 10);
    // A line cut short is taken back to the last whole one; the next goes on from there.
    QVERIFY(file->cutBack(6));
    QCOMPARE(file->write("2\tz\t\r\n"), 6);
    QVERIFY(file->close());
    QCOMPARE(contents(path("a.rdg")), QByteArray("1\tx\t\r\n2\tz\t\r\n"));
    // Created again, it starts empty.
    file = m_files.create(path("a.rdg"), failure);
    QVERIFY(file && file->close());
    QCOMPARE(contents(path("a.rdg")), QByteArray());
}

void TestFileSystem::createNewRefusesATakenName() {
    FileSystem::Failure failure;
    auto file = m_files.createNew(path("new.tmp"), QString(), failure);
    QVERIFY2(file, qPrintable(failure.reason));
    QVERIFY(file->close());
    QVERIFY(!m_files.createNew(path("new.tmp"), QString(), failure));
    QVERIFY(failure.nameTaken);

    // Not a taken name, but no folder: told as such.
    failure = {};
    QVERIFY(!m_files.createNew(path("gone/new.tmp"), QString(), failure));
    QVERIFY(!failure.nameTaken);
    QCOMPARE(failure.reason, SystemText::FolderNotFound);
}

void TestFileSystem::replaceTakesThePlaceOfTheOldFile() {
    {
        QFile old(path("list.rdg"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    FileSystem::Failure failure;
    auto file = m_files.createNew(path(".list.rdg.tmp"), path("list.rdg"), failure);
    QVERIFY(file && file->write("new") == 3 && file->sync() && file->close());
    QCOMPARE(m_files.replace(path(".list.rdg.tmp"), path("list.rdg")), QString());
    QCOMPARE(contents(path("list.rdg")), QByteArray("new"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.rdg"});
    // A file that is not there replaces nothing, and says why.
    QCOMPARE(m_files.replace(path("absent"), path("list.rdg")), SystemText::FileNotFound);
    QCOMPARE(contents(path("list.rdg")), QByteArray("new"));
}

void TestFileSystem::looksAtWhatAPathNames() {
    {
        QFile file(path("kept.rdg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(m_files.look(path("kept.rdg")).kind, FileSystem::Kind::Regular);
    QVERIFY(m_files.look(path("kept.rdg")).writable);
    QCOMPARE(m_files.look(m_dir->path()).kind, FileSystem::Kind::Folder);
    QVERIFY(m_files.look(m_dir->path()).writable);
    QCOMPARE(m_files.look(path("absent")).kind, FileSystem::Kind::Missing);

    // A read-only file is not writable, with the system's reason.
    QVERIFY(QFile::setPermissions(path("kept.rdg"), QFile::ReadOwner | QFile::ReadUser));
    const FileSystem::Entry readOnly = m_files.look(path("kept.rdg"));
    QFile::setPermissions(path("kept.rdg"), QFile::ReadOwner | QFile::WriteOwner);
#if !defined(Q_OS_WIN)
    if (readOnly.writable)
        QSKIP("root may write any file");
#endif
    QVERIFY(!readOnly.writable);
    QVERIFY(!readOnly.whyNotWritable.isEmpty());
}

void TestFileSystem::readsARegularFile() {
    {
        QFile file(path("in.rdg"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("0123456789") == 10);
    }
    FileSystem::Failure failure;
    auto file = m_files.openForReading(path("in.rdg"), failure);
    QVERIFY2(file, qPrintable(failure.reason));
    QCOMPARE(file->size(), 10);
    char bytes[16] = {};
    QCOMPARE(file->read(bytes, 4), 4);
    QCOMPARE(file->read(bytes + 4, 16), 6);
    QCOMPARE(file->read(bytes, 16), 0);
    QCOMPARE(QByteArray(bytes, 10), QByteArray("0123456789"));
    QVERIFY(file->close());

    QVERIFY(!m_files.openForReading(path("absent.rdg"), failure));
    QCOMPARE(failure.reason, SystemText::FileNotFound);
    QVERIFY(!m_files.openForReading(m_dir->path(), failure));
    QCOMPARE(failure.reason, QString(FileSystem::NotRegularFile));
}

QTEST_GUILESS_MAIN(TestFileSystem)
#include "tst_file_system.moc"
