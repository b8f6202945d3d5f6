// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/recording_parts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Finding the continuation files of a recording beside the file it began in.
class TestRecordingParts : public QObject {
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void inFolderReadsTheFolder();
};

void TestRecordingParts::find_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QStringList>("folder");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QList<int>>("numbers");

    QTest::newRow("no parts") << "/r/data.rdg" << QStringList{"data.rdg", "other001.rdg"}
                              << QStringList{"/r/data.rdg"} << QList<int>{0};
    QTest::newRow("three parts, listed out of order")
        << "/r/data.rdg" << QStringList{"data002.rdg", "data.rdg", "data001.rdg"}
        << QStringList{"/r/data.rdg", "/r/data001.rdg", "/r/data002.rdg"} << QList<int>{0, 1, 2};
    // A number skipped is kept for the records to tell: a part missing, or continuation
    // numbers that went on from an earlier recording.
    QTest::newRow("a gap") << "/r/data.rdg"
                           << QStringList{"data.rdg", "data001.rdg", "data003.rdg", "data004.rdg"}
                           << QStringList{"/r/data.rdg", "/r/data001.rdg", "/r/data003.rdg",
                                          "/r/data004.rdg"}
                           << QList<int>{0, 1, 3, 4};
    QTest::newRow("gap right after the first file")
        << "/r/data.rdg" << QStringList{"data.rdg", "data002.rdg"}
        << QStringList{"/r/data.rdg", "/r/data002.rdg"} << QList<int>{0, 2};
    QTest::newRow("other digit counts and suffixes are no parts")
        << "/r/data.rdg"
        << QStringList{"data.rdg",        "data01.rdg",  "data0001.rdg", "data001.txt",
                       "data001.rdg.bak", "data-01.rdg", "xdata001.rdg"}
        << QStringList{"/r/data.rdg"} << QList<int>{0};
    QTest::newRow("name without a dot: part 1 is data002")
        << "/r/data" << QStringList{"data", "data001", "data002", "data003"}
        << QStringList{"/r/data", "/r/data002", "/r/data003"} << QList<int>{0, 1, 2};
    QTest::newRow("name without a dot, gap")
        << "/r/data" << QStringList{"data", "data004"} << QStringList{"/r/data", "/r/data004"}
        << QList<int>{0, 3};
    QTest::newRow("split at the name's first dot")
        << "/r/run.2024.rdg" << QStringList{"run.2024.rdg", "run001.2024.rdg", "run.2024001.rdg"}
        << QStringList{"/r/run.2024.rdg", "/r/run001.2024.rdg"} << QList<int>{0, 1};
    QTest::newRow("dotted folder does not count")
        << "/r.old/data" << QStringList{"data", "data002"}
        << QStringList{"/r.old/data", "/r.old/data002"} << QList<int>{0, 1};
    QTest::newRow("past part 999")
        << "data.rdg" << QStringList{"data.rdg", "data1000.rdg", "data999.rdg"}
        << QStringList{"data.rdg", "data999.rdg", "data1000.rdg"} << QList<int>{0, 999, 1000};
}

void TestRecordingParts::find() {
    QFETCH(QString, first);
    QFETCH(QStringList, folder);
    const RecordingParts parts = RecordingParts::find(first, folder);
    QTEST(parts.paths, "parts");
    QTEST(parts.numbers, "numbers");
}

void TestRecordingParts::inFolderReadsTheFolder() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"run.rdg", "run001.rdg", "run002.rdg"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // A folder with a part's name is no part.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("run003.rdg")));
    const RecordingParts parts = RecordingParts::inFolder(dir.filePath(QStringLiteral("run.rdg")));
    QCOMPARE(parts.paths, (QStringList{dir.filePath(QStringLiteral("run.rdg")),
                                       dir.filePath(QStringLiteral("run001.rdg")),
                                       dir.filePath(QStringLiteral("run002.rdg"))}));
    QCOMPARE(parts.numbers, (QList<int>{0, 1, 2}));
}

QTEST_GUILESS_MAIN(TestRecordingParts)
#include "tst_recording_parts.moc"
