// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarm_limits.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

std::optional<AlarmChannel> channelNamed(QStringView name) {
    for (const AlarmChannel channel : AlarmChannels) {
        if (name.compare(alarmChannelName(channel), Qt::CaseInsensitive) == 0)
            return channel;
    }
    return std::nullopt;
}

// A plain decimal number that fits the meter's display range, or nothing. One decimal at
// most, the meter's resolution: a limit is checked exactly as it is shown and stored.
std::optional<double> limitValue(const QString &text) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]{1,5}(\\.[0-9])?$"));
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble();
}

QString valueText(double value) {
    return QString::number(value, 'f', 1);
}

std::optional<bool> onOff(const QString &word) {
    if (word == QLatin1String("on"))
        return true;
    if (word == QLatin1String("off"))
        return false;
    return std::nullopt;
}

} // namespace

QString alarmChannelName(AlarmChannel channel) {
    switch (channel) {
    case AlarmChannel::T1:
        return QStringLiteral("T1");
    case AlarmChannel::T2:
        return QStringLiteral("T2");
    case AlarmChannel::Diff:
        break;
    }
    return QStringLiteral("T1-T2");
}

bool AlarmLimits::anyLimitOn() const {
    return std::any_of(channels.begin(), channels.end(),
                       [](const ChannelLimits &c) { return c.high.on || c.low.on; });
}

void AlarmLimits::switchLimitsOff() {
    for (ChannelLimits &c : channels)
        c.high.on = c.low.on = false;
}

bool AlarmLimits::addRule(QStringView rule) {
    const QString text = rule.trimmed().toString();
    if (text.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0) {
        openAlarm = true;
        return true;
    }
    // The channel name may hold a minus itself (T1-T2): the first < or > splits the rule.
    const auto comparison = std::find_if(text.cbegin(), text.cend(), [](QChar c) {
        return c == QLatin1Char('<') || c == QLatin1Char('>');
    });
    const qsizetype at = comparison - text.cbegin();
    if (comparison == text.cend() || at == 0)
        return false;
    const std::optional<AlarmChannel> channel = channelNamed(QStringView(text).first(at).trimmed());
    const std::optional<double> value = limitValue(text.mid(at + 1).trimmed());
    if (!channel || !value)
        return false;
    AlarmLimit &limit = text.at(at) == QLatin1Char('>') ? of(*channel).high : of(*channel).low;
    limit = {true, *value};
    return true;
}

QStringList AlarmLimits::toStrings() const {
    QStringList lines;
    for (const AlarmChannel channel : AlarmChannels) {
        const QString name = alarmChannelName(channel);
        const ChannelLimits &c = of(channel);
        lines << QStringLiteral("%1 high %2 %3")
                     .arg(name, c.high.on ? QStringLiteral("on") : QStringLiteral("off"),
                          valueText(c.high.value))
              << QStringLiteral("%1 low %2 %3")
                     .arg(name, c.low.on ? QStringLiteral("on") : QStringLiteral("off"),
                          valueText(c.low.value))
              << QStringLiteral("%1 hysteresis %2").arg(name, valueText(c.hysteresis));
    }
    lines << QStringLiteral("open %1").arg(openAlarm ? QStringLiteral("on")
                                                     : QStringLiteral("off"));
    if (!unit.isEmpty())
        lines << QStringLiteral("unit %1").arg(unit);
    return lines;
}

std::optional<AlarmLimits> AlarmLimits::fromStrings(const QStringList &lines) {
    AlarmLimits limits;
    for (const QString &line : lines) {
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.size() == 2 && words[0] == QLatin1String("open") && onOff(words[1])) {
            limits.openAlarm = *onOff(words[1]);
            continue;
        }
        if (words.size() == 2 && words[0] == QLatin1String("unit") &&
            (words[1] == QStringLiteral("\u00B0C") || words[1] == QStringLiteral("\u00B0F"))) {
            limits.unit = words[1];
            continue;
        }
        const std::optional<AlarmChannel> channel =
            words.isEmpty() ? std::nullopt : channelNamed(words[0]);
        if (!channel)
            return std::nullopt;
        ChannelLimits &c = limits.of(*channel);
        if (words.size() == 3 && words[1] == QLatin1String("hysteresis")) {
            const std::optional<double> value = limitValue(words[2]);
            if (!value || *value < 0)
                return std::nullopt;
            c.hysteresis = *value;
            continue;
        }
        if (words.size() != 4 || (words[1] != QLatin1String("high") && words[1] != "low"))
            return std::nullopt;
        const std::optional<bool> on = onOff(words[2]);
        const std::optional<double> value = limitValue(words[3]);
        if (!on || !value)
            return std::nullopt;
        (words[1] == QLatin1String("high") ? c.high : c.low) = {*on, *value};
    }
    return limits;
}
