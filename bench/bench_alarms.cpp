// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The alarm check of every live frame: the readings of a frame against every limit, with
// nothing starting (the usual frame), and with an alarm starting or ending at every frame
// (the worst: the event made, the text, the sound and the note asked for). Prints one table.

#include "adapters/console_dialogs.h"
#include "adapters/qt_clock.h"
#include "bench_support.h"
#include "link/live_values.h"
#include "panel/alarms.h"
#include "platform/alarm_signal.h"

#include <QCoreApplication>

namespace {

constexpr int Frames = 200000;

// Counts, so that the worst case measures the program's own work, not the system's bell.
class CountingSignal : public AlarmSignal {
public:
    void sound() override { ++sounds; }
    void notify(const QString &, const QString &) override { ++notes; }
    int sounds = 0;
    int notes = 0;
};

AlarmLimits everyLimit() {
    AlarmLimits limits;
    for (const char *rule :
         {"T1>250", "T1<-20", "T2>250", "T2<-20", "T1-T2>100", "T1-T2<-100", "open"})
        limits.addRule(QString::fromLatin1(rule));
    return limits;
}

// Microseconds per frame, best of the runs, the frames' texts made beforehand.
double perFrame(Alarms &alarms, LiveValues &live, const QList<LiveValues> &frames) {
    const double seconds = bench::bestOf([&] {
        for (int i = 0; i < Frames; ++i) {
            live = frames[i % frames.size()];
            alarms.check();
        }
    });
    return seconds / Frames * 1e6;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QtClock clock;
    ConsoleDialogs dialogs(
        [](const QString &line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
    CountingSignal signal;
    LiveValues live;
    Alarms alarms(live, clock, dialogs, signal);
    alarms.setLimits(everyLimit());

    const QString unit = QStringLiteral("\u00B0C");
    QList<LiveValues> inside;
    for (int i = 0; i < 100; ++i) {
        const double t1 = 20 + i * 0.3;
        const double t2 = 22 - i * 0.1;
        inside.append({QString::number(t1, 'f', 1),
                       QString::number(t2, 'f', 1),
                       QString::number(t1 - t2, 'f', 1),
                       QStringLiteral("K"),
                       unit,
                       {}});
    }
    // T1 across its high limit and back at every frame: an alarm starts or ends each time.
    const QList<LiveValues> across{{QStringLiteral("251.3"),
                                    QStringLiteral("22.0"),
                                    QStringLiteral("229.3"),
                                    QStringLiteral("K"),
                                    unit,
                                    {}},
                                   {QStringLiteral("24.0"),
                                    QStringLiteral("22.0"),
                                    QStringLiteral("2.0"),
                                    QStringLiteral("K"),
                                    unit,
                                    {}}};

    const double quiet = perFrame(alarms, live, inside);
    const double events = perFrame(alarms, live, across);

    std::printf("Alarms: seven limits on (T1, T2, T1-T2 high and low, open), %d frames a run\n\n",
                Frames);
    bench::header();
    bench::row("alarm check per frame, inside the limits", QString::number(quiet, 'f', 3) + " us",
               "< 10 us", quiet < 10);
    bench::row("alarm check per frame, a start or end each",
               QString::number(events, 'f', 3) + " us", "< 10 us", events < 10);
    std::printf("\nsounds asked %d, notifications %d\n", signal.sounds, signal.notes);
    return quiet < 10 && events < 10 ? 0 : 1;
}
