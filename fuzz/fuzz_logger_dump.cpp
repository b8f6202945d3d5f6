// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes as a memory dump through the reception, the split into sets and the
// listing of every set: the bytes the meter (or a broken cable) sends after a dump marker.

#include "logger/dump_receiver.h"
#include "logger/set_table.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"
#include "records/record_table.h"

#include <cstdint>

namespace {

// The input after its first byte, handed out in reads of up to 256 bytes with a silent read
// after every third, so the reception sees short first reads, pauses and stalls.
class ScriptedLink : public SerialLink {
public:
    ScriptedLink(QByteArray bytes, qsizetype chunk)
        : m_bytes(std::move(bytes))
        , m_chunk(chunk) {}
    bool open(int) override { return true; }
    bool isOpen() const override { return true; }
    QByteArray readAll() override {
        if (++m_reads % 4 == 0 || m_at >= m_bytes.size())
            return {};
        const QByteArray read = m_bytes.mid(m_at, m_chunk);
        m_at += read.size();
        return read;
    }
    bool write(const QByteArray &) override { return true; }
    bool broken() const override { return false; }
    void close() override {}

private:
    QByteArray m_bytes;
    qsizetype m_chunk;
    qsizetype m_at = 0;
    int m_reads = 0;
};

class InstantPump : public EventPump {
public:
    void wait(double) override {}
    void after(double, QObject *, std::function<void()> then) override { then(); }
    bool yield() override { return false; }
    bool quitting() const override { return false; }
    void requestQuit() override {}
};

constexpr int ListedAtEachEnd = 32;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    ScriptedLink link(bytes, qsizetype(data[0]) + 1);
    InstantPump pump;
    const DumpReceiver::Result result = DumpReceiver(link, pump).receive({});
    // What the reception kept, or when it kept nothing to show, the bytes as a dump anyway.
    const bool kept = result.outcome == DumpReceiver::Outcome::Complete ||
                      (result.outcome == DumpReceiver::Outcome::Stalled && result.memorySize >= 0);
    const QByteArray &dump = kept ? result.bytes : bytes;
    if (dump.size() < DumpReceiver::HeadLength)
        return 0;
    const SetTable sets =
        SetTable::split(quint8(dump[0]), QByteArrayView(dump).sliced(DumpReceiver::HeadLength));
    if (sets.DumpPos() > dump.size() - DumpReceiver::HeadLength)
        __builtin_trap();
    RecordTable table;
    for (int i = 1; i <= sets.count(); ++i) {
        const LoggerSet &set = sets.set(i);
        if (set.SetData.size() != LoggerSet::HeaderLength + qsizetype(set.SetRecords) * 4)
            __builtin_trap();
        table.setHeading(0, set.heading());
        const RecordClock clock = set.clock();
        // Every record takes the same path: the first and last few of each set reach all of
        // it (the clock's carries included) at a fraction of the cost of a large set.
        for (int k = 1; k <= set.SetRecords; ++k) {
            if (k > ListedAtEachEnd && k <= set.SetRecords - ListedAtEachEnd)
                k = set.SetRecords - ListedAtEachEnd + 1;
            table.appendRow(set.record(k, clock));
        }
    }
    return 0;
}
