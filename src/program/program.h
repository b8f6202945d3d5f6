#pragma once

#include "program/platform.h"
#include "program/program_state.h"

#include <QObject>

#include <memory>

class PanelModel;

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

    // OK in the port chooser: an exact "COM1".."COM16" sets PortNumber; anything else
    // leaves it as it is.
    void choosePort(const QString &text);
    // Loads the main window. When the port cannot be opened, tells the user "No device
    // found, try again!" and returns false: the program then ends.
    bool loadPanel();
    // The main window closed: stops everything, closes the port and ends the program.
    void quit();

signals:
    void quitRequested();

private:
    Platform m_platform;
    std::unique_ptr<PanelModel> m_panel;
    bool m_quitting = false;
};
