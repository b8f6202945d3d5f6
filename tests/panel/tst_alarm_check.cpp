// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes/fake_clock.h"
#include "link/live_values.h"
#include "panel/alarm_check.h"

#include <QTest>

// Readings against limits and hysteresis, frame by frame: the starts and ends each frame
// gives, and the limits going off when the meter changes its unit.
class TestAlarmCheck : public QObject {
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void rules_data();
    void rules();
    void storedLimits();
};

namespace {

const QString Celsius = QStringLiteral("\u00B0C");

// "T1 [T2 [T1-T2 [UNIT]]]": T2 reads 22.0, T1-T2 0.0 and the unit is °C unless given.
LiveValues liveOf(const QString &frame) {
    const QStringList words = frame.split(QLatin1Char(' '));
    LiveValues live;
    live.T1Text = words.value(0);
    live.T2Text = words.value(1, QStringLiteral("22.0"));
    live.DiffText = words.value(2, QStringLiteral("0.0"));
    live.UnitText = words.value(3, Celsius);
    return live;
}

// "T1 high 251.3 250.0": channel, event, reading, limit.
QString eventText(const AlarmEvent &event) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(alarmChannelName(event.channel), event.eventName(), event.reading, event.limitText())
        .trimmed();
}

} // namespace

void TestAlarmCheck::frames_data() {
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<QStringList>("frames");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<bool>("switchedOff");

    const QString off = QStringLiteral("484.0 71.6 412.4 \u00B0F");
    QTest::newRow("starts only above the limit")
        << QStringList{"T1>250"} << QStringList{"249.9", "250.0", "250.1"}
        << QStringList{"T1 high 250.1 250.0"} << false;
    QTest::newRow("holds within the hysteresis")
        << QStringList{"T1>250"} << QStringList{"251.3", "249.5", "249.1", "251.0"}
        << QStringList{"T1 high 251.3 250.0"} << false;
    QTest::newRow("clears past the hysteresis")
        << QStringList{"T1>250"} << QStringList{"251.3", "249.0", "248.0"}
        << QStringList{"T1 high 251.3 250.0", "T1 clear 249.0 250.0"} << false;
    QTest::newRow("low, and its clear")
        << QStringList{"T1<20"} << QStringList{"19.9", "20.5", "21.0"}
        << QStringList{"T1 low 19.9 20.0", "T1 clear 21.0 20.0"} << false;
    QTest::newRow("OL is above every high limit")
        << QStringList{"T1>250"} << QStringList{"OL", "25.0"}
        << QStringList{"T1 high OL 250.0", "T1 clear 25.0 250.0"} << false;
    QTest::newRow("OL is no low alarm")
        << QStringList{"T1<20"} << QStringList{"OL"} << QStringList{} << false;
    QTest::newRow("-OL is below every low limit")
        << QStringList{"T1<20", "T1>250"} << QStringList{"-OL"} << QStringList{"T1 low -OL 20.0"}
        << false;
    QTest::newRow("---- is an open thermocouple")
        << QStringList{"open"} << QStringList{"25.0 ---- ----", "25.0 22.0 3.0"}
        << QStringList{"T2 open ----", "T2 clear 22.0"} << false;
    QTest::newRow("---- without the open alarm keeps the alarm")
        << QStringList{"T1>250"} << QStringList{"251.0", "----", "251.0", "240.0"}
        << QStringList{"T1 high 251.0 250.0", "T1 clear 240.0 250.0"} << false;
    QTest::newRow("T1-T2 below its limit")
        << QStringList{"T1-T2<-5"} << QStringList{"20.0 26.0 -6.0", "20.0 24.5 -4.5"}
        << QStringList{"T1-T2 low -6.0 -5.0"} << false;
    QTest::newRow("from above to below at once")
        << QStringList{"T1>250", "T1<20"} << QStringList{"251.0", "10.0"}
        << QStringList{"T1 high 251.0 250.0", "T1 clear 10.0 250.0", "T1 low 10.0 20.0"} << false;
    QTest::newRow("a unit change switches the limits off")
        << QStringList{"T1>250"} << QStringList{"251.0", off, off}
        << QStringList{"T1 high 251.0 250.0", "T1 clear 484.0 250.0"} << true;
}

void TestAlarmCheck::frames() {
    QFETCH(QStringList, rules);
    QFETCH(QStringList, frames);
    QFETCH(QStringList, events);
    QFETCH(bool, switchedOff);

    AlarmLimits limits;
    for (const QString &rule : rules)
        QVERIFY(limits.addRule(rule));
    AlarmCheck check;
    check.setLimits(limits);
    FakeClock clock;
    QStringList seen;
    int switchedOffTimes = 0;
    for (const QString &frame : frames) {
        QList<AlarmEvent> frameEvents;
        if (check.check(liveOf(frame), clock, frameEvents) ==
            AlarmCheck::Outcome::SwitchedOffByUnit)
            ++switchedOffTimes;
        for (const AlarmEvent &event : frameEvents) {
            QCOMPARE(event.time, clock.current);
            seen << eventText(event);
        }
        clock.advance(1);
    }
    QCOMPARE(seen, events);
    // Said once, and the limits stay off in the new unit.
    QCOMPARE(switchedOffTimes, switchedOff ? 1 : 0);
    QCOMPARE(check.limits().anyLimitOn(), limits.anyLimitOn() && !switchedOff);
}

void TestAlarmCheck::rules_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("stored"); // the limits it gives, as the settings keep them

    const auto with = [](const QString &line) {
        QStringList lines = AlarmLimits().toStrings();
        // "T1 high ", "T2 low ", "open ": the line it replaces starts so.
        const int words = line.startsWith(QLatin1String("open")) ? 0 : 1;
        const QString key = line.section(QLatin1Char(' '), 0, words) + QLatin1Char(' ');
        for (QString &l : lines) {
            if (l.startsWith(key))
                l = line;
        }
        return lines;
    };
    QTest::newRow("high") << "T1>250" << with("T1 high on 250.0");
    QTest::newRow("low, any case, blanks") << " t2 < -5.5 " << with("T2 low on -5.5");
    QTest::newRow("difference") << "T1-T2<-5" << with("T1-T2 low on -5.0");
    QTest::newRow("open") << "open" << with("open on");
    for (const char *bad : {"T3>1", "T1=5", "T1>", "T1>abc", "T1>1e9", ">5", "T1>>5", "opened"})
        QTest::newRow(bad) << bad << QStringList{};
}

void TestAlarmCheck::rules() {
    QFETCH(QString, rule);
    QFETCH(QStringList, stored);

    AlarmLimits limits;
    QCOMPARE(limits.addRule(rule), !stored.isEmpty());
    QCOMPARE(limits.toStrings(), stored.isEmpty() ? AlarmLimits().toStrings() : stored);
}

void TestAlarmCheck::storedLimits() {
    AlarmLimits limits;
    QVERIFY(limits.addRule(QStringLiteral("T1>250")));
    QVERIFY(limits.addRule(QStringLiteral("T1-T2<-5")));
    QVERIFY(limits.addRule(QStringLiteral("open")));
    limits.of(AlarmChannel::T2).low = {false, 12.5}; // off, its value kept
    limits.of(AlarmChannel::T1).hysteresis = 0.5;
    limits.unit = QStringLiteral("\u00B0F");
    QCOMPARE(AlarmLimits::fromStrings(limits.toStrings()), limits);

    // Lines no run wrote give nothing, not half of them.
    for (const QString &line : {QStringLiteral("T1 high maybe 250"), QStringLiteral("T4 low on 1"),
                                QStringLiteral("T1 hysteresis -1"), QStringLiteral("unit K")}) {
        QStringList lines = limits.toStrings();
        lines.insert(1, line);
        QVERIFY2(!AlarmLimits::fromStrings(lines), qPrintable(line));
    }
}

QTEST_GUILESS_MAIN(TestAlarmCheck)
#include "tst_alarm_check.moc"
