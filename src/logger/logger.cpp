// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/logger.h"

#include "lists/list_window_model.h"
#include "logger/dump_receiver.h"
#include "logger/memory_model.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/platform.h"
#include "platform/serial_link.h"
#include "windowing/long_work.h"
#include "windowing/timer_gate.h"
#include "windowing/window_registry.h"

#include <QPointer>

namespace {

constexpr double EraseWaitSeconds = 2.0;
const QByteArray EraseCommand("EEE");

} // namespace

Logger::Logger(Platform &platform, WindowRegistry &windows, TimerGate &panelTimers, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_windows(windows)
    , m_timers(panelTimers) {}

MemoryModel *Logger::memory() const {
    return m_windows.find<MemoryModel>(MemoryModel::Name);
}

void Logger::ReceiveDump() {
    DumpReceiver receiver(m_platform.serial(), m_platform.pump());
    const DumpReceiver::Result result =
        receiver.receive([this](const QString &text) { emit progress(text); });
    Dialogs &dialogs = m_platform.dialogs();
    switch (result.outcome) {
    case DumpReceiver::Outcome::Complete:
        openMemory(result.bytes, result.memorySize);
        return;
    case DumpReceiver::Outcome::Empty:
        dialogs.message(QStringLiteral(" No Data in Memory!"), Dialogs::Icon::Critical);
        // The rest of the dump is dropped here rather than read as frames.
        if (!m_platform.pump().quitting())
            m_platform.serial().readAll();
        return;
    case DumpReceiver::Outcome::Stalled:
        // Whatever came is shown, so nothing received is lost; the user learns it is not all.
        if (result.memorySize >= 0) {
            openMemory(result.bytes, result.memorySize);
            dialogs.message(QStringLiteral("The meter stopped sending its memory after %1 of "
                                           "%2 bytes. Data Logger shows the records received.")
                                .arg(result.bytes.size())
                                .arg(result.expected),
                            Dialogs::Icon::Warning);
        } else {
            dialogs.message(QStringLiteral("The meter stopped sending its memory before its "
                                           "size was known (%1 of 3 bytes).")
                                .arg(result.bytes.size()),
                            Dialogs::Icon::Warning);
        }
        return;
    case DumpReceiver::Outcome::TooSmall: // the memory holds nothing to send
    case DumpReceiver::Outcome::Silent:   // a marker without a dump: nothing to show or lose
    case DumpReceiver::Outcome::Stopped:
        return;
    }
}

void Logger::openMemory(const QByteArray &dump, int memorySize) {
    auto window = std::make_unique<MemoryModel>();
    const int announced = quint8(dump[0]);
    window->showDownload(
        SetTable::split(announced, QByteArrayView(dump).sliced(DumpReceiver::HeadLength)),
        memorySize);
    m_windows.open(std::move(window)); // a window of an earlier download closes first
}

void Logger::listSet(MemoryModel *memory, int number) {
    EventPump &pump = m_platform.pump();
    if (!memory || !memory->isOpen() || number < 1 || number > memory->sets().count() ||
        pump.quitting())
        return;
    // A copy: the set outlives the window if it closes while the list fills.
    const LoggerSet set = memory->sets().set(number);
    const QPointer<MemoryModel> source(memory);
    TimerGate::Hold timersStopped(m_timers);

    auto fresh =
        std::make_unique<ListWindowModel>(ListWindowModel::Kind::DataList, QString(), QString());
    fresh->setColumn0Heading(set.heading());
    ListWindowModel *list = m_windows.open(std::move(fresh));
    LongWork work(pump, list);
    const RecordClock clock = set.clock();
    for (int k = 1; k <= set.SetRecords; ++k) {
        list->appendRow(set.record(k, clock));
        if (source)
            source->setMBar(k * 100 / set.SetRecords);
        if (!work.step())
            return; // the list closed or the program is ending
        if (!source || !source->isOpen()) {
            // Its window went (closed, or replaced by a new download): half a set listed
            // would pass for the whole set.
            list->requestClose();
            return;
        }
    }
}

void Logger::EraseMemory() {
    const Dialogs::Answer answer = m_platform.dialogs().message(
        QStringLiteral("All saved data in memory will be deleted."), Dialogs::Icon::Warning,
        Dialogs::Buttons::OkCancel, QStringLiteral("Warning"));
    if (answer != Dialogs::Answer::Ok || m_platform.pump().quitting())
        return;
    TimerGate::Hold timersStopped(m_timers);
    m_platform.serial().write(EraseCommand);
    LongWork(m_platform.pump()).wait(EraseWaitSeconds);
}
