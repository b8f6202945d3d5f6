// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/file_checks.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

// `thermodesk --export-csv` as a user runs it, on a machine without any display: to
// standard output, and to the file named after the record file.
class TestExportCsv : public QObject {
    Q_OBJECT

private slots:
    void runsWithoutADisplay_data();
    void runsWithoutADisplay();
};

void TestExportCsv::runsWithoutADisplay_data() {
    QTest::addColumn<QStringList>("arguments"); // IN: the record file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("standardOutput");
    QTest::addColumn<QString>("csvFile"); // written beside the record file; empty: none
    QTest::addColumn<QString>("said");    // one of the lines on standard error

    const QByteArray csv = "record,time,T1,T2,T1-T2,type,unit\r\n"
                           "1,2001-05-03T14:25:01,77.5,,,J,\xC2\xB0"
                           "F\r\n";
    QTest::newRow("damaged file to standard output")
        << QStringList{"--export-csv", "IN", "-"} << 1 << csv << ""
        << "thermodesk: 1 line of IN could not be read and was left out (line 3)";
    QTest::newRow("to the file beside it")
        << QStringList{"--export-csv", "IN"} << 1 << QByteArray() << "in.csv"
        << "thermodesk: 1 line of IN could not be read and "
           "was left out (line 3)";
    QTest::newRow("unknown option: the usage, exit code 2")
        << QStringList{"--export-csv", "IN", "--every", "5"} << 2 << QByteArray() << ""
        << "thermodesk: --every goes with --record only";
}

void TestExportCsv::runsWithoutADisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, standardOutput);
    QFETCH(QString, csvFile);
    QFETCH(QString, said);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString input = dir.filePath(QStringLiteral("in.rdg"));
    QVERIFY(writeFile(input, "J Type \xB0"
                             "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n"
                             "1\t2001/05/03 14:25:01\t77.5\t-OL\t----\t\r\n"
                             "2\t2001/05/03 14:25:02\r\n"));
    arguments.replaceInStrings(QStringLiteral("IN"), input);
    said.replace(QStringLiteral("IN"), QDir::toNativeSeparators(input));

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(THERMODESK_PATH), arguments);
    QVERIFY(program.waitForFinished(60000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QTEST(program.exitCode(), "exitCode");
    QCOMPARE(program.readAllStandardOutput(), standardOutput);
    // Lines end in CR LF on Windows, as text there does.
    const QStringList lines = QString::fromUtf8(program.readAllStandardError())
                                  .remove(QLatin1Char('\r'))
                                  .split('\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.contains(said), qPrintable(lines.join('\n')));
    QStringList files{"in.rdg"};
    if (!csvFile.isEmpty()) {
        files.prepend(csvFile);
        QCOMPARE(fileBytes(dir.filePath(csvFile)).left(35),
                 QByteArray("record,time,T1,T2,T1-T2,type,unit\r\n"));
    }
    QCOMPARE(folderEntries(dir.path()), files);
}

QTEST_GUILESS_MAIN(TestExportCsv)
#include "tst_export_csv.moc"
