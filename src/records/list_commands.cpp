#include "records/list_commands.h"

#include "panel/file_transfer.h"
#include "panel/panel_model.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/text_printer.h"
#include "program/program.h"
#include "records/printout_layout.h"
#include "records/record_file_writer.h"
#include "records/record_list_model.h"

#include <QDir>

namespace {

// Restores what a long list operation changed, however it ends.
class ListOperation {
public:
    ListOperation(Program &program, RecordListModel *list)
        : m_program(program)
        , m_list(list)
        , m_caption(list->caption()) {
        m_program.panel().stopTimers();
    }
    ~ListOperation() {
        if (m_program.isOpen(m_list))
            m_list->setCaption(m_caption);
        m_program.setBusy(false);
        m_program.panel().startTimers();
    }

private:
    Program &m_program;
    RecordListModel *m_list;
    QString m_caption;
};

} // namespace

ListCommands::ListCommands(Program &program)
    : m_program(program) {}

void ListCommands::onToolbarButton(RecordListModel *list, const QString &key) {
    if (!m_program.isOpen(list))
        return;
    const bool saves = list->kind() != RecordListModel::Kind::FileList;
    if (saves && key == QLatin1String("Save"))
        save(list);
    else if (!saves && key == QLatin1String("Print"))
        print(list);
}

bool ListCommands::stillOpenAfterEvents(RecordListModel *list) {
    EventPump &pump = *m_program.platform().pump;
    return !pump.yield() || (!pump.quitting() && m_program.isOpen(list));
}

void ListCommands::save(RecordListModel *list) {
    ProgramState &state = m_program.state;
    if (state.Recording)
        return;
    Dialogs &dialogs = *m_program.platform().dialogs;
    FileTransfer::ShowSaveDialog(dialogs, state);
    if (!state.FileChosen)
        return;
    // Cleared even when the list closed during the dialog, or the panel's next "Save",
    // cancelled, would record into this file.
    state.FileChosen = false;
    if (!m_program.isOpen(list))
        return;
    const QString path = state.ChosenFileName;

    bool written = false;
    QString reason;
    {
        ListOperation operation(m_program, list);
        RecordFileWriter file(RecordFileWriter::Flush::AtEnd);
        written = file.create(path);
        for (int row = 0; written && row < list->rowCount(); ++row) {
            written = row == 0 ? file.writeRow(list->row(0))
                               : file.writeTableRows(list->table().table(), row - 1, row);
            list->setProgress(row, RecordListModel::Progress::RecordsCompleted);
            if (!stillOpenAfterEvents(list)) {
                file.discard();
                return;
            }
        }
        written = file.close() && written;
        reason = file.errorString();
    }
    if (!written) {
        dialogs.message(QStringLiteral("The list could not be saved to \"%1\":\n%2")
                            .arg(QDir::toNativeSeparators(path), reason),
                        Dialogs::Icon::Critical);
        return;
    }
    if (list->kind() == RecordListModel::Kind::List)
        m_program.closeWindow(list);
}

void ListCommands::print(RecordListModel *list) {
    if (!m_program.platform().makeTextPrinter)
        return;
    ListOperation operation(m_program, list);
    std::unique_ptr<TextPrinter> printer = m_program.platform().makeTextPrinter();
    if (!printer->choosePrinter() || !m_program.isOpen(list))
        return;
    printer->setFont(QStringLiteral("Lucida Console"), 8);
    for (const QString &line : Printout::preamble()) {
        if (!printer->printLine(line))
            return;
    }
    for (int row = 0; row < list->rowCount(); ++row) {
        const QString line = Printout::line(list->row(row));
        list->setProgress(row, RecordListModel::Progress::RecordsCompleted);
        if (!stillOpenAfterEvents(list) || !printer->printLine(line))
            return;
        if (row == 0 && !printer->printLine(Printout::ruleLine()))
            return;
    }
    printer->endDocument();
}
