// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/alarms_model.h"

#include "panel/alarms.h"

#include <algorithm>

AlarmsModel::AlarmsModel(Alarms &alarms, QObject *parent)
    : WindowModel(Name, QStringLiteral("Alarms"), {}, parent)
    , m_alarms(alarms) {
    connect(&m_alarms, &Alarms::changed, this, &AlarmsModel::changed);
}

const AlarmLimits &AlarmsModel::limits() const {
    return m_alarms.limits();
}

void AlarmsModel::setLimits(const AlarmLimits &limits) {
    m_alarms.setLimits(limits);
}

QString AlarmsModel::unitText() const {
    const QString unit = m_alarms.limits().unit;
    return unit.isEmpty() ? QStringLiteral("Limits in the meter's unit")
                          : QStringLiteral("Limits in %1").arg(unit);
}

QString AlarmsModel::alarmText() const {
    return m_alarms.text();
}

void AlarmsModel::acknowledge() {
    m_alarms.acknowledge();
}

bool AlarmsModel::alarming() const {
    return std::any_of(AlarmChannels.begin(), AlarmChannels.end(),
                       [this](AlarmChannel channel) { return m_alarms.isActive(channel); });
}
