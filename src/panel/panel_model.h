// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/panel_display.h"
#include "windowing/command_window.h"
#include "windowing/timer_gate.h"

#include <QByteArray>
#include <QTimer>

class Platform;

// The main window's toolbar: record, open a file, the sampling time, the live list and the
// real-time graph.
enum class PanelCommand { Save, Open, Sample, List, Graph };

// The main window: mirrors the meter's display from the frames its frame timer reads, and
// owns the frame timer Timer1, the sampling timer Timer2 and the live values: only its
// frame decoding writes them, everyone else reads them.
class PanelModel : public CommandWindow<PanelCommand> {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"Panel"};
    static constexpr int FrameInterval = 150;
    static constexpr int SamplingInterval = 1000;
    static const QString Caption;

    explicit PanelModel(Platform &platform, QObject *parent = nullptr);

    // Opens the port COMn, resets the meter flags and starts both timers. False when the
    // port cannot be opened; the caller then tells the user and ends.
    bool load(int portNumber);

    const LiveValues &live() const { return m_live; }
    const PanelDisplay &display() const { return m_display; }
    void clickLblCOM();

    // One tick of the frame timer: reads every 0.2 s until a frame is shown, a dump
    // marker is announced, or the meter has been silent for 21 reads. The reads run from
    // the event loop; the tick counts as running until they end.
    void frameTick();
    // Decodes a live frame of 10 bytes into the live values and the display.
    void showFrame(const QByteArray &frame);
    // Stops both timers, shows "No COM" and polls (from the event loop) until the meter
    // speaks again; then starts them.
    void waitForMeter();

    // Both timers, Timer1 and Timer2, for every operation that reads or writes a whole file,
    // lists or prints.
    TimerGate &timers() { return m_timers; }
    void stopTimers() { m_timers.stop(); }
    void startTimers() { m_timers.start(); }

    // The recording state as the panel shows it: LblRecording, LblFileName, LblCount and
    // the picture and tooltip of the "Save" button.
    void showRecording(bool recording, const QString &fileName);
    void showRecordCount(int count);
    // LblMain shows a text of the program's own until the next frame: a download's " %".
    void showMainText(const QString &text);

signals:
    void displayChanged();
    // The sampling timer ticked (never while its previous tick still runs).
    void samplingTick();
    // A dump marker arrived; the frame timer's tick runs until the receiver returns.
    void dumpMarker();
    // The meter fell silent (or its port broke): the panel shows "No COM" and waits for it.
    void meterSilent();
    // The meter speaks again after it was silent.
    void meterHeard();

private:
    void readAfterDelay();
    void readOnce();
    void onSamplingTimer();
    void showPortName();

    Platform &m_platform;
    int m_portNumber = 0;
    LiveValues m_live;
    PanelDisplay m_display;
    QTimer m_timer1{this};
    QTimer m_timer2{this};
    TimerGate m_timers;
    bool m_frameTickRunning = false;
    int m_missCount = 0; // short reads in a row within the running tick
    bool m_samplingTickRunning = false;
};
