// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/list_commands.h"

#include "graphs/list_plot_model.h"
#include "lists/list_file_io.h"
#include "lists/list_window_model.h"
#include "panel/file_transfer.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/text_printer.h"
#include "program/program.h"
#include "records/file_names.h"
#include "records/file_output.h"
#include "records/printout_layout.h"
#include "records/record_file_reader.h"
#include "records/record_file_writer.h"
#include "records/record_heading.h"
#include "records/record_table.h"
#include "records/recording_parts.h"
#include "windowing/long_work.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

namespace {

// What a long list operation changes, restored however it ends: the panel's timers
// stopped, the caption counting, the pointer.
class ListOperation {
public:
    ListOperation(Program &program, ListWindowModel *list)
        : m_program(program)
        , m_timersStopped(program.panel().timers())
        , m_list(list)
        , m_caption(list->caption()) {}
    ~ListOperation() {
        if (m_list && m_list->isOpen())
            m_list->setCaption(m_caption);
        m_program.platform().pointer().setBusy(false);
    }

private:
    Program &m_program;
    TimerGate::Hold m_timersStopped;
    QPointer<ListWindowModel> m_list;
    QString m_caption;
};

// Asks for a path with ask; empty when cancelled, or when the user closed the list while
// the dialog was open (its model is gone then).
template <class Ask> QString askPathWhileOpen(ListWindowModel *list, Ask ask) {
    const QPointer<ListWindowModel> stillThere(list);
    const QString path = ask();
    return stillThere && list->isOpen() ? path : QString();
}

// Writes a whole list into file at path with write, the panel's timers held and the list's
// caption restored. A list closed half-way is no list to keep: the file is discarded and
// whatever stood at path stays. On failure, reason says why.
template <class File, class Write>
ListFileIO::Outcome writeWholeList(Program &program, ListWindowModel *list, File &file,
                                   const QString &path, Write write, QString &reason) {
    ListOperation operation(program, list);
    LongWork work(program.platform().pump(), list);
    ListFileIO::Outcome outcome = ListFileIO::Outcome::Failed;
    if (file.create(path))
        outcome = write(file, work);
    if (outcome == ListFileIO::Outcome::Stopped) {
        file.discard();
        return outcome;
    }
    if (!file.close())
        outcome = ListFileIO::Outcome::Failed;
    reason = file.errorString();
    return outcome;
}

enum class PartRead { Whole, Stopped, Bad };

// Appends the records of one continuation part to the run, counting them in the list's
// caption. A part whose heading is not the first part's, or that cannot be read or split
// to its end, is bad: the reason is given and what it appended is taken back.
PartRead readPart(const QString &path, const QString &heading, RecordTable &run,
                  ListWindowModel &list, LongWork &work, QString &reason) {
    const int before = run.rowCount();
    RecordFileReader reader;
    if (!reader.open(path)) {
        reason = QStringLiteral("cannot be read (%1)").arg(reader.errorString());
        return PartRead::Bad;
    }
    bool headed = false;
    for (;;) {
        switch (reader.readNext(run)) {
        case RecordFileReader::Step::Heading:
            headed = true;
            if (reader.headingField().trimmed() != heading.trimmed()) {
                reason = QStringLiteral("is of another type or unit (%1)")
                             .arg(reader.headingField().trimmed());
                run.truncate(before);
                return PartRead::Bad;
            }
            continue;
        case RecordFileReader::Step::Record:
            list.setProgress(run.rowCount(), WindowModel::Progress::Completed);
            if (!work.step())
                return PartRead::Stopped;
            continue;
        case RecordFileReader::Step::End:
            if (headed)
                return PartRead::Whole;
            reason = QStringLiteral("is empty");
            return PartRead::Bad;
        case RecordFileReader::Step::Unsplittable:
            reason = QStringLiteral("cannot be read: its line %1 is no record line")
                         .arg(reader.recordsRead() + 2);
            break;
        case RecordFileReader::Step::ReadError:
            reason = QStringLiteral("cannot be read (%1)").arg(reader.errorString());
            break;
        }
        run.truncate(before);
        return PartRead::Bad;
    }
}

// Whether the row at first holds the record number after the one of the row before it:
// the records of a part go on from those of the part before.
bool followsOn(const RecordTable &run, int first) {
    if (first < 1 || first >= run.rowCount())
        return false;
    bool before = false;
    bool after = false;
    const qint64 last = run.cell(0, first - 1).trimmed().toLongLong(&before);
    const qint64 next = run.cell(0, first).trimmed().toLongLong(&after);
    return before && after && next == last + 1;
}

} // namespace

ListCommands::ListCommands(Program &program)
    : m_program(program) {}

void ListCommands::run(ListWindowModel *list, ListCommand command) {
    if (!list || !list->isOpen() || !list->isEnabled(command))
        return;
    switch (command) {
    case ListCommand::Save:
        save(list);
        return;
    case ListCommand::Plot:
        plot(list);
        return;
    case ListCommand::Print:
        print(list);
        return;
    case ListCommand::ExportCsv:
        exportCsv(list);
        return;
    case ListCommand::PlotAll:
        plotAllParts(list);
        return;
    }
}

void ListCommands::save(ListWindowModel *list) {
    if (m_program.recorder().Recording())
        return;
    Dialogs &dialogs = m_program.platform().dialogs();
    const QString path =
        askPathWhileOpen(list, [&] { return FileTransfer::ShowSaveDialog(dialogs); });
    if (path.isEmpty())
        return;
    RecordFileWriter file(RecordFileWriter::Flush::AtEnd);
    QString reason;
    const ListFileIO::Outcome outcome = writeWholeList(
        m_program, list, file, path,
        [list](RecordFileWriter &out, LongWork &work) {
            return ListFileIO::writeRows(out, *list, &work);
        },
        reason);
    if (outcome == ListFileIO::Outcome::Failed) {
        dialogs.message(QStringLiteral("The list could not be saved to \"%1\":\n%2")
                            .arg(QDir::toNativeSeparators(path), reason),
                        Dialogs::Icon::Critical);
        return;
    }
    if (outcome == ListFileIO::Outcome::Done && list->kind() == ListWindowModel::Kind::List)
        list->requestClose();
}

void ListCommands::exportCsv(ListWindowModel *list) {
    Dialogs &dialogs = m_program.platform().dialogs();
    const QString path =
        askPathWhileOpen(list, [&] { return FileTransfer::ShowCsvSaveDialog(dialogs); });
    if (path.isEmpty())
        return;
    FileOutput file(FileOutput::Mode::Replace);
    QString reason;
    const ListFileIO::Outcome outcome = writeWholeList(
        m_program, list, file, path,
        [list](FileOutput &out, LongWork &work) { return ListFileIO::writeCsv(out, *list, &work); },
        reason);
    if (outcome == ListFileIO::Outcome::Failed)
        dialogs.message(QStringLiteral("The list could not be exported to \"%1\":\n%2")
                            .arg(QDir::toNativeSeparators(path), reason),
                        Dialogs::Icon::Critical);
}

void ListCommands::print(ListWindowModel *list) {
    ListOperation operation(m_program, list);
    LongWork work(m_program.platform().pump(), list);
    std::unique_ptr<TextPrinter> printer = m_program.platform().makeTextPrinter();
    if (!printer->choosePrinter() || !work.goesOn())
        return;
    printer->useFont(QStringLiteral("Lucida Console"), 8);
    for (const QString &line : Printout::preamble()) {
        if (!printer->printLine(line))
            return;
    }
    // The heading row counts as row 0, the records from 1 on.
    const RecordTable &records = list->records();
    for (int row = 0; row <= records.rowCount(); ++row) {
        const QString line = Printout::line(row == 0 ? list->headingRow() : records.row(row - 1));
        list->setProgress(row, ListWindowModel::Progress::RecordsCompleted);
        if (!work.step() || !printer->printLine(line))
            return;
        if (row == 0 && !printer->printLine(Printout::ruleLine()))
            return;
    }
    printer->endDocument();
}

void ListCommands::plot(ListWindowModel *list) {
    Platform &platform = m_program.platform();
    if (m_program.PlotOpen() || list->records().rowCount() < 1)
        return;
    const RecordHeading heading = RecordHeading::forPlot(list->records().heading(0));
    WindowRegistry &windows = m_program.windows();
    ListPlotModel *plot = windows.open(std::make_unique<ListPlotModel>(
        platform, m_program.panel().timers(), *list, heading.unit, heading.type));
    // The plot reads the list's rows: it closes with the list, also when "Open" replaces it.
    QObject::connect(&windows, &WindowRegistry::windowClosed, plot, [plot, list](WindowModel *w) {
        if (w == list)
            plot->requestClose();
    });
}

void ListCommands::plotAllParts(ListWindowModel *list) {
    Platform &platform = m_program.platform();
    if (m_program.PlotOpen() || list->records().rowCount() < 1)
        return;
    const RecordingParts parts = RecordingParts::inFolder(list->openedFile());
    const QString heading = list->records().heading(0);
    // The first part as the list holds it; room for all the others up front, so the
    // table does not grow part by part.
    auto run = std::make_unique<RecordTable>(list->records());
    qint64 moreBytes = 0;
    for (qsizetype i = 1; i < parts.paths.size(); ++i)
        moreBytes += QFileInfo(parts.paths[i]).size();
    run->reserveBytes(moreBytes);

    const QPointer<ListWindowModel> stillThere(list);
    const QString firstName = QFileInfo(list->openedFile()).fileName();
    QString lastGood = firstName;
    QString problem;
    {
        ListOperation operation(m_program, list);
        LongWork work(platform.pump(), list);
        list->setLoading(true);
        for (qsizetype i = 1; i < parts.paths.size() && problem.isEmpty(); ++i) {
            const QString name = QFileInfo(parts.paths[i]).fileName();
            const int rowsBefore = run->rowCount();
            QString reason;
            switch (readPart(parts.paths[i], heading, *run, *list, work, reason)) {
            case PartRead::Stopped:
                return; // the list closed: nothing to plot
            case PartRead::Bad:
                problem = QStringLiteral("The recording's part \"%1\" %2.").arg(name, reason);
                break;
            case PartRead::Whole:
                // Past a part number skipped, only records that go on from the part before
                // belong to this recording; otherwise the skipped part is missing.
                if (parts.numbers[i] != parts.numbers[i - 1] + 1 && !followsOn(*run, rowsBefore)) {
                    run->truncate(rowsBefore);
                    problem = QStringLiteral("The recording's part \"%1\" is missing.")
                                  .arg(continuationFileName(firstName, parts.numbers[i - 1] + 1));
                    break;
                }
                lastGood = name;
                break;
            }
        }
        list->setLoading(false);
    }
    run->trimUnused();
    // Events ran while the parts were read: a plot may have opened meanwhile.
    if (!stillThere || !list->isOpen() || m_program.PlotOpen())
        return;
    const RecordHeading plotHeading = RecordHeading::forPlot(heading);
    WindowRegistry &windows = m_program.windows();
    ListPlotModel *plot = windows.open(
        std::make_unique<ListPlotModel>(platform, m_program.panel().timers(), *list, std::move(run),
                                        plotHeading.unit, plotHeading.type));
    QObject::connect(&windows, &WindowRegistry::windowClosed, plot, [plot, list](WindowModel *w) {
        if (w == list)
            plot->requestClose();
    });
    if (!problem.isEmpty()) {
        platform.dialogs().message(problem +
                                       QStringLiteral("\nThe plot ends with \"%1\".").arg(lastGood),
                                   Dialogs::Icon::Warning);
    }
}
