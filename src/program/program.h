#pragma once

#include "program/platform.h"
#include "program/program_state.h"
#include "records/record_list_model.h"

#include <QObject>

#include <memory>

class PanelModel;
class Sampler;
class PanelCommands;
class ListCommands;

// Owns the program: its shared state, the models of the open windows and the
// operations that cross windows. Views are created and destroyed in answer to its signals,
// so the whole program also runs headless.
class Program : public QObject {
    Q_OBJECT

public:
    explicit Program(Platform platform, QObject *parent = nullptr);
    ~Program() override;

    ProgramState state;

    Platform &platform() { return m_platform; }
    PanelModel &panel() { return *m_panel; }
    Sampler &sampler() { return *m_sampler; }
    PanelCommands &panelCommands() { return *m_panelCommands; }
    ListCommands &listCommands() { return *m_listCommands; }

    // OK in the port chooser: an exact "COM1".."COM16" sets PortNumber; anything else
    // leaves it as it is.
    void choosePort(const QString &text);
    // Loads the main window. When the port cannot be opened, tells the user "No device
    // found, try again!" and returns false: the program then ends.
    bool loadPanel();
    // The main window closed: stops recording, closes the port and ends the program.
    void quit();

    // The record list windows; null while closed.
    RecordListModel *list() const { return m_lists[0]; }
    RecordListModel *fileList() const { return m_lists[1]; }
    RecordListModel *dataList() const { return m_lists[2]; }
    bool isOpen(const RecordListModel *list) const;
    // Opens a fresh window of that kind (closing one already open) and sets its flag.
    RecordListModel *openWindow(RecordListModel::Kind kind);
    // Closes the window: clears its flag (and, for the live list, its count).
    void closeWindow(RecordListModel *list);

    // The hourglass pointer of long operations.
    void setBusy(bool busy);

signals:
    void quitRequested();
    void listOpened(RecordListModel *list);
    void listClosing(RecordListModel *list);
    void busyChanged(bool busy);

private:
    RecordListModel *&slot(RecordListModel::Kind kind) { return m_lists[int(kind)]; }

    Platform m_platform;
    std::unique_ptr<PanelModel> m_panel;
    std::unique_ptr<Sampler> m_sampler;
    std::unique_ptr<PanelCommands> m_panelCommands;
    std::unique_ptr<ListCommands> m_listCommands;
    std::array<RecordListModel *, 3> m_lists{};
    bool m_busy = false;
    bool m_quitting = false;
};
