#pragma once

#include "panel/panel_display.h"
#include "program/tool_button.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

struct ProgramState;
struct Platform;

// The main window: mirrors the meter's display from the frames its frame timer reads,
// and owns the frame timer Timer1 and the sampling timer Timer2.
class PanelModel : public QObject {
    Q_OBJECT

public:
    static constexpr int FrameInterval = 150;
    static constexpr int SamplingInterval = 1000;
    static const QString Caption;

    PanelModel(ProgramState &state, Platform &platform, QObject *parent = nullptr);

    // Opens the chosen port, resets the program-wide flags and starts both timers.
    // False when the port cannot be opened; the caller then tells the user and ends.
    bool load();

    const PanelDisplay &display() const { return m_display; }
    QString caption() const { return m_caption; }
    void clickLblCOM();

    // One tick of the frame timer: reads until a frame is shown, a dump marker is
    // handed on, or the meter has been silent for 21 reads.
    void frameTick();
    // Decodes a live frame of 10 bytes into the live values and the display.
    void showFrame(const QByteArray &frame);
    // Stops both timers, shows "No COM" and polls until the meter speaks again.
    void waitForMeter();

    QTimer &Timer1() { return m_timer1; }
    QTimer &Timer2() { return m_timer2; }
    // Used by every operation that reads or writes a whole file, lists or prints.
    void stopTimers();
    void startTimers();

    // Called with the dump marker's tick still running; the logger download hooks in here.
    void setDumpReceiver(std::function<void()> receiver) { m_dumpReceiver = std::move(receiver); }
    // The sampling timer's work.
    void setSampler(std::function<void()> sampler) { m_sampler = std::move(sampler); }

    // Toolbar1: "Save", "Open", "Sample", "List", "Graph".
    const QList<ToolButton> &toolbar() const { return m_toolbar; }
    // The first button shows the recording state.
    void setSaveButton(int image, const QString &tooltip);

    DisplayElement &element(DisplayElement PanelDisplay::*which) { return m_display.*which; }
    void notifyDisplayChanged() { emit displayChanged(); }

signals:
    void displayChanged();
    void captionChanged();
    void toolbarChanged();

private:
    void samplingTick();
    void showPortName();

    ProgramState &m_state;
    Platform &m_platform;
    PanelDisplay m_display;
    QString m_caption = Caption;
    QList<ToolButton> m_toolbar{{QStringLiteral("Save"), QStringLiteral("Save As"), 1},
                                {QStringLiteral("Open"), QStringLiteral("Open File to Read"), 2},
                                {QStringLiteral("Sample"), QStringLiteral("Sampling Rate"), 3},
                                {QStringLiteral("List"), QStringLiteral("List Display"), 4},
                                {QStringLiteral("Graph"), QStringLiteral("Graphic Display"), 5}};
    QTimer m_timer1;
    QTimer m_timer2;
    bool m_frameTickRunning = false;
    bool m_samplingTickRunning = false;
    std::function<void()> m_dumpReceiver;
    std::function<void()> m_sampler;
};
