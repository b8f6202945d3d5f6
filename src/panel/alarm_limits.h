// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The three channels an alarm watches, in the order the panel and the Alarms window list them.
enum class AlarmChannel { T1, T2, Diff };
inline constexpr std::array<AlarmChannel, 3> AlarmChannels{AlarmChannel::T1, AlarmChannel::T2,
                                                           AlarmChannel::Diff};
// "T1", "T2", "T1-T2".
QString alarmChannelName(AlarmChannel channel);

struct AlarmLimit {
    bool on = false;
    double value = 0;

    bool operator==(const AlarmLimit &) const = default;
};

struct ChannelLimits {
    static constexpr double DefaultHysteresis = 1.0;

    AlarmLimit high;
    AlarmLimit low;
    // How far a reading must come back inside a limit before its alarm clears, so that a
    // reading hovering at the limit does not raise and clear it every frame.
    double hysteresis = DefaultHysteresis;

    bool operator==(const ChannelLimits &) const = default;
};

// Every limit of the alarms, in the meter's unit of the moment they were set.
struct AlarmLimits {
    std::array<ChannelLimits, 3> channels;
    bool openAlarm = false; // a thermocouple open ("----") on T1 or T2
    QString unit;           // the unit of the values; empty: the meter's next one

    ChannelLimits &of(AlarmChannel channel) { return channels[size_t(channel)]; }
    const ChannelLimits &of(AlarmChannel channel) const { return channels[size_t(channel)]; }
    bool anyLimitOn() const;
    bool anyOn() const { return openAlarm || anyLimitOn(); }
    // The high and low limits off, their values kept (a unit change).
    void switchLimitsOff();

    // Adds a rule as the command line gives it: "T1>250", "T2<-5.5", "T1-T2<-5" (a high
    // or low limit, switched on) or "open". False, unchanged, for any other text.
    bool addRule(QStringView rule);

    // The limits as lines of text for the settings file ("T1 high on 250", "T1 hysteresis
    // 1", "open on", "unit °C"), and back. Nothing from lines this program did not write.
    QStringList toStrings() const;
    static std::optional<AlarmLimits> fromStrings(const QStringList &lines);

    bool operator==(const AlarmLimits &) const = default;
};
