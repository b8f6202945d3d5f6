// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class Platform;
class MemoryModel;
class TimerGate;
class WindowRegistry;

// The meter's logger memory on the PC: receives the dump that follows a dump marker and opens
// "Data Logger" with its sets, lists a set into "Data List", and erases the meter's memory.
class Logger : public QObject {
    Q_OBJECT

public:
    Logger(Platform &platform, WindowRegistry &windows, TimerGate &panelTimers,
           QObject *parent = nullptr);

    // The dump marker's work, inside the frame timer's tick: receives the dump, then opens
    // "Data Logger" afresh with its sets (an empty memory, S below 516 or a dump without a
    // byte open nothing).
    void ReceiveDump();
    // Lists set `number` of the window's sets into a fresh "Data List", with both panel
    // timers stopped. Stops when either window closes or the program ends.
    void listSet(MemoryModel *memory, int number);
    // Asks, then sends "EEE" and waits 2 s with both panel timers stopped.
    void EraseMemory();

    // The data-logger window; null while closed.
    MemoryModel *memory() const;

signals:
    // The download's progress for LblMain: "57 %".
    void progress(const QString &text);

private:
    void openMemory(const QByteArray &dump, int memorySize);

    Platform &m_platform;
    WindowRegistry &m_windows;
    TimerGate &m_timers;
};
