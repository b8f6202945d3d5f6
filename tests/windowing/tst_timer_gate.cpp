// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_event_pump.h"
#include "windowing/timer_gate.h"

#include <QTest>

// The main window's timers under long work that nests: only the last work to end starts
// them again, and nothing starts them once the program is ending.
class TestTimerGate : public QObject {
    Q_OBJECT

private slots:
    void nestedWorkStartsTheTimersOnce_data();
    void nestedWorkStartsTheTimersOnce();
};

void TestTimerGate::nestedWorkStartsTheTimersOnce_data() {
    QTest::addColumn<QString>("steps");   // s: work stops them, e: work ends, q: quitting
    QTest::addColumn<QString>("running"); // after each step: 1 when both timers run
    QTest::newRow("one piece of work") << "se"
                                       << "01";
    QTest::newRow("a print pressed while a file loads") << "ssee"
                                                        << "0001";
    QTest::newRow("work after work") << "sese"
                                     << "0101";
    QTest::newRow("the program ends during the work") << "sqe"
                                                      << "000";
    QTest::newRow("an end without a start") << "e"
                                            << "1";
}

void TestTimerGate::nestedWorkStartsTheTimersOnce() {
    QFETCH(QString, steps);
    QFETCH(QString, running);

    FakeEventPump pump;
    QTimer timer1, timer2;
    timer1.setInterval(150);
    timer2.setInterval(1000);
    TimerGate gate({&timer1, &timer2}, pump);
    timer1.start();
    timer2.start();

    QString seen;
    for (const QChar step : steps) {
        if (step == QLatin1Char('s'))
            gate.stop();
        else if (step == QLatin1Char('e'))
            gate.start();
        else
            pump.requestQuit();
        QCOMPARE(timer1.isActive(), timer2.isActive());
        seen += timer1.isActive() ? QLatin1Char('1') : QLatin1Char('0');
    }
    QCOMPARE(seen, running);
}

QTEST_GUILESS_MAIN(TestTimerGate)
#include "tst_timer_gate.moc"
