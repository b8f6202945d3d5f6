// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/started_program.h"
#include "graphs/list_plot_model.h"
#include "lists/list_window_model.h"
#include "panel/panel_model.h"
#include "program/list_commands.h"
#include "program/panel_commands.h"
#include "program/program.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray HeadingKC = "K Type \xB0"
                             "C\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";
const QByteArray HeadingKF = "K Type \xB0"
                             "F\t     Date Time    \tT1\tT2\tT1-T2\t\r\n";

// Records first to last, numbered on from the part before, as a recording writes them.
QByteArray recordLines(int first, int last) {
    QByteArray lines;
    for (int i = first; i <= last; ++i) {
        lines += QByteArray::number(i) +
                 "\t2001/05/03 14:25:" + QByteArray::number(i).rightJustified(2, '0') + "\t" +
                 QByteArray::number(20 + i) + ".5\t" + QByteArray::number(10 + i) + "\t" +
                 QByteArray::number(10) + ".5\t\r\n";
    }
    return lines;
}

} // namespace

// "Plot All Parts" of FileList: the opened file and its continuation files as one plot,
// ending at the last good part with a message naming the first bad one.
class TestPlotAllParts : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void offeredOnlyWithContinuationFiles();
    void plotsTheRunUpToTheFirstBadPart_data();
    void plotsTheRunUpToTheFirstBadPart();

private:
    void writeFile(const QString &name, const QByteArray &bytes);
    ListWindowModel *open(const QString &name);

    std::unique_ptr<FakePlatform> m_fakes;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPlotAllParts::init() {
    m_fakes = std::make_unique<FakePlatform>();
    m_program = startedProgram(*m_fakes);
    QVERIFY(m_program);
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPlotAllParts::cleanup() {
    m_program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fakes.reset();
    m_dir.reset();
}

void TestPlotAllParts::writeFile(const QString &name, const QByteArray &bytes) {
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

ListWindowModel *TestPlotAllParts::open(const QString &name) {
    m_fakes->dialogs.openAnswers << m_dir->filePath(name);
    m_program->panelCommands().run(PanelCommand::Open);
    return m_program->fileList();
}

void TestPlotAllParts::offeredOnlyWithContinuationFiles() {
    writeFile(QStringLiteral("alone.rdg"), HeadingKC + recordLines(1, 3));
    writeFile(QStringLiteral("run.rdg"), HeadingKC + recordLines(1, 3));
    writeFile(QStringLiteral("run001.rdg"), HeadingKC + recordLines(4, 5));

    ListWindowModel *list = open(QStringLiteral("alone.rdg"));
    QVERIFY(list);
    QVERIFY(!list->isVisible(ListCommand::PlotAll));
    list->press(ListCommand::PlotAll); // not offered: does nothing
    QVERIFY(!m_program->PlotOpen());

    list = open(QStringLiteral("run.rdg"));
    QVERIFY(list->isVisible(ListCommand::PlotAll));
    QVERIFY(list->isVisible(ListCommand::Plot));
    list->press(ListCommand::PlotAll);
    QVERIFY(m_program->PlotOpen());
    QVERIFY(m_program->plot()->plotsAllParts());
    QCOMPARE(m_program->plot()->ToNo(), 5);
    // The list keeps its own records; the plot closes with it.
    QCOMPARE(list->grid().rowCount(), 3);
    QCOMPARE(list->caption(), QStringLiteral("run.rdg"));
    list->requestClose();
    QVERIFY(!m_program->PlotOpen());
}

void TestPlotAllParts::plotsTheRunUpToTheFirstBadPart_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<QByteArray>>("contents");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("message");

    const QByteArray first = HeadingKC + recordLines(1, 3);
    const QByteArray second = HeadingKC + recordLines(4, 5);
    const QByteArray third = HeadingKC + recordLines(6, 9);
    QTest::newRow("three good parts") << QStringList{"data.rdg", "data001.rdg", "data002.rdg"}
                                      << QList<QByteArray>{first, second, third} << 9 << "";
    QTest::newRow("third part in another unit")
        << QStringList{"data.rdg", "data001.rdg", "data002.rdg"}
        << QList<QByteArray>{first, second, HeadingKF + recordLines(6, 9)} << 5
        << "The recording's part \"data002.rdg\" is of another type or unit (K Type \u00B0F).\n"
           "The plot ends with \"data001.rdg\".";
    QTest::newRow("a part missing: the records jump")
        << QStringList{"data.rdg", "data001.rdg", "data003.rdg"}
        << QList<QByteArray>{first, second, HeadingKC + recordLines(10, 13)} << 5
        << "The recording's part \"data002.rdg\" is missing.\n"
           "The plot ends with \"data001.rdg\".";
    QTest::newRow("name without a dot, a part missing")
        << QStringList{"data", "data003"}
        << QList<QByteArray>{first, HeadingKC + recordLines(10, 13)} << 3
        << "The recording's part \"data002\" is missing.\n"
           "The plot ends with \"data\".";
    // A recording begun after another one in the same run of the program goes on in the
    // part numbers the one before left off at; its records go on from its first file.
    QTest::newRow("part numbers skipped, records going on")
        << QStringList{"data.rdg", "data003.rdg", "data004.rdg"}
        << QList<QByteArray>{first, second, third} << 9 << "";
    QTest::newRow("a cut line in the second part drops it whole")
        << QStringList{"data.rdg", "data001.rdg", "data002.rdg"}
        << QList<QByteArray>{first, HeadingKC + recordLines(4, 4) + "5\t2001/05/03\t1\r\n", third}
        << 3
        << "The recording's part \"data001.rdg\" cannot be read: its line 3 is no record line.\n"
           "The plot ends with \"data.rdg\".";
    QTest::newRow("an empty part")
        << QStringList{"data", "data002"} << QList<QByteArray>{first, {}} << 3
        << "The recording's part \"data002\" is empty.\n"
           "The plot ends with \"data\".";
}

void TestPlotAllParts::plotsTheRunUpToTheFirstBadPart() {
    QFETCH(QStringList, names);
    QFETCH(QList<QByteArray>, contents);
    QFETCH(int, records);
    QFETCH(QString, message);
    for (qsizetype i = 0; i < names.size(); ++i)
        writeFile(names[i], contents[i]);
    ListWindowModel *list = open(names[0]);
    QVERIFY(list);
    QCOMPARE(list->records().rowCount(), 3); // the first part's records
    list->press(ListCommand::PlotAll);

    ListPlotModel *plot = m_program->plot();
    QVERIFY(plot);
    QCOMPARE(plot->FromNo(), 1);
    QCOMPARE(plot->ToNo(), records);
    QCOMPARE(plot->PlotUnit(), QStringLiteral("\u00B0C"));
    if (message.isEmpty()) {
        QVERIFY(m_fakes->dialogs.messages.isEmpty());
    } else {
        QCOMPARE(m_fakes->dialogs.messages.size(), 1);
        QCOMPARE(m_fakes->dialogs.messages[0].text, message);
    }
    // Every record of the run, in order, with its own date and time.
    plot->resize(QSize(287, 211));
    plot->Timer1().stop();
    plot->DrawPass();
    const std::optional<Readout> last = plot->readoutAt({75 + 210, 130});
    QVERIFY(last);
    QCOMPARE(last->place, QStringLiteral("No. %1").arg(records));
    QCOMPARE(last->detail,
             QStringLiteral("2001/05/03 14:25:%1").arg(records, 2, 10, QLatin1Char('0')));
    QCOMPARE(last->value(Channel::T1), QStringLiteral("%1.5").arg(20 + records));
    // The list and its caption are as they were.
    QCOMPARE(list->grid().rowCount(), 3);
    QCOMPARE(list->caption(), names[0]);
    QVERIFY(list->isEnabled(ListCommand::Plot)); // the load of the parts has ended
}

QTEST_GUILESS_MAIN(TestPlotAllParts)
#include "tst_plot_all_parts.moc"
