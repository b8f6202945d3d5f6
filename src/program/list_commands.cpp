#include "program/list_commands.h"

#include "graphs/list_plot_model.h"
#include "panel/file_transfer.h"
#include "panel/panel_model.h"
#include "panel/recorder.h"
#include "platform/busy_pointer.h"
#include "platform/dialogs.h"
#include "platform/text_printer.h"
#include "program/program.h"
#include "records/csv_export.h"
#include "records/file_output.h"
#include "records/list_file_io.h"
#include "records/printout_layout.h"
#include "records/record_file_writer.h"
#include "records/record_list_model.h"
#include "windowing/long_work.h"

#include <QDir>
#include <QPointer>

namespace {

// What a long list operation changes, restored however it ends: the panel's timers
// stopped, the caption counting, the pointer.
class ListOperation {
public:
    ListOperation(Program &program, RecordListModel *list)
        : m_program(program)
        , m_timersStopped(program.panel().timers())
        , m_list(list)
        , m_caption(list->caption()) {}
    ~ListOperation() {
        if (m_list && m_list->isOpen())
            m_list->setCaption(m_caption);
        m_program.platform().pointer->setBusy(false);
    }

private:
    Program &m_program;
    TimerGate::Hold m_timersStopped;
    QPointer<RecordListModel> m_list;
    QString m_caption;
};

} // namespace

ListCommands::ListCommands(Program &program)
    : m_program(program) {}

void ListCommands::onToolbarButton(RecordListModel *list, const QString &key) {
    if (!list || !list->isOpen() || !list->isToolButtonEnabled(key))
        return;
    if (key == QLatin1String("Save"))
        save(list);
    else if (key == QLatin1String("Print"))
        print(list);
    else if (key == QLatin1String("Plot"))
        plot(list);
    else if (key == RecordListModel::ExportCsvKey)
        exportCsv(list);
}

void ListCommands::save(RecordListModel *list) {
    if (m_program.recorder().Recording())
        return;
    Dialogs &dialogs = *m_program.platform().dialogs;
    // The user may close the list while the dialog is open: its model is gone then.
    const QPointer<RecordListModel> stillThere(list);
    const QString path = FileTransfer::ShowSaveDialog(dialogs);
    if (path.isEmpty() || !stillThere || !list->isOpen())
        return;

    ListFileIO::Outcome outcome = ListFileIO::Outcome::Failed;
    QString reason;
    {
        ListOperation operation(m_program, list);
        LongWork work(*m_program.platform().pump, list);
        RecordFileWriter file(RecordFileWriter::Flush::AtEnd);
        if (file.create(path))
            outcome = ListFileIO::writeRows(file, *list, &work);
        if (outcome == ListFileIO::Outcome::Stopped) {
            file.discard(); // a list closed half-way is no list to keep: the old file stays
            return;
        }
        if (!file.close())
            outcome = ListFileIO::Outcome::Failed;
        reason = file.errorString();
    }
    if (outcome == ListFileIO::Outcome::Failed) {
        dialogs.message(QStringLiteral("The list could not be saved to \"%1\":\n%2")
                            .arg(QDir::toNativeSeparators(path), reason),
                        Dialogs::Icon::Critical);
        return;
    }
    if (list->kind() == RecordListModel::Kind::List)
        list->requestClose();
}

void ListCommands::exportCsv(RecordListModel *list) {
    Dialogs &dialogs = *m_program.platform().dialogs;
    // The user may close the list while the dialog is open: its model is gone then.
    const QPointer<RecordListModel> stillThere(list);
    const QString path = FileTransfer::ShowCsvSaveDialog(dialogs);
    if (path.isEmpty() || !stillThere || !list->isOpen())
        return;

    ListFileIO::Outcome outcome = ListFileIO::Outcome::Failed;
    QString reason;
    {
        ListOperation operation(m_program, list);
        LongWork work(*m_program.platform().pump, list);
        FileOutput file(FileOutput::Mode::Replace);
        if (file.create(path))
            outcome = CsvExport::writeList(file, *list, &work);
        if (outcome == ListFileIO::Outcome::Stopped) {
            file.discard(); // the list closed half-way: no half of it is left behind
            return;
        }
        if (!file.close())
            outcome = ListFileIO::Outcome::Failed;
        reason = file.errorString();
    }
    if (outcome == ListFileIO::Outcome::Failed)
        dialogs.message(QStringLiteral("The list could not be exported to \"%1\":\n%2")
                            .arg(QDir::toNativeSeparators(path), reason),
                        Dialogs::Icon::Critical);
}

void ListCommands::print(RecordListModel *list) {
    if (!m_program.platform().makeTextPrinter)
        return;
    ListOperation operation(m_program, list);
    LongWork work(*m_program.platform().pump, list);
    std::unique_ptr<TextPrinter> printer = m_program.platform().makeTextPrinter();
    if (!printer->choosePrinter() || !work.goesOn())
        return;
    printer->setFont(QStringLiteral("Lucida Console"), 8);
    for (const QString &line : Printout::preamble()) {
        if (!printer->printLine(line))
            return;
    }
    for (int row = 0; row < list->rowCount(); ++row) {
        const QString line = Printout::line(list->row(row));
        list->setProgress(row, RecordListModel::Progress::RecordsCompleted);
        if (!work.step() || !printer->printLine(line))
            return;
        if (row == 0 && !printer->printLine(Printout::ruleLine()))
            return;
    }
    printer->endDocument();
}

void ListCommands::plot(RecordListModel *list) {
    Platform &platform = m_program.platform();
    if (m_program.PlotOpen() || list->rowCount() < 2 || !platform.makeSurface)
        return;
    const QString heading = list->cell(0, 0);
    const QString unit = heading.contains(QStringLiteral("\u00B0C")) ? QStringLiteral("\u00B0C")
                                                                     : QStringLiteral("\u00B0F");
    const QString type =
        heading.contains(QLatin1Char('J')) ? QStringLiteral("J") : QStringLiteral("K");
    WindowRegistry &windows = m_program.windows();
    ListPlotModel *plot = windows.open(
        std::make_unique<ListPlotModel>(platform, m_program.panel().timers(), *list, unit, type));
    // The plot reads the list's rows: it closes with the list, also when "Open" replaces it.
    QObject::connect(&windows, &WindowRegistry::windowClosed, plot, [plot, list](WindowModel *w) {
        if (w == list)
            plot->requestClose();
    });
}
