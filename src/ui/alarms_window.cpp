// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/alarms_window.h"

#include "panel/alarms_model.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

// The meter's display range, in either unit.
constexpr double LowestValue = -9999.9;
constexpr double HighestValue = 9999.9;

// "T1-T2" in object names: "HighT1", "HighDiff".
QString nameOf(AlarmChannel channel) {
    return channel == AlarmChannel::Diff ? QStringLiteral("Diff") : alarmChannelName(channel);
}

} // namespace

AlarmsWindow::AlarmsWindow(AlarmsModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model) {
    setObjectName(model.name());
    setWindowTitle(model.caption());

    auto *grid = new QGridLayout;
    const QStringList headings{QStringLiteral("Channel"),
                               QStringLiteral("High limit"),
                               {},
                               QStringLiteral("Low limit"),
                               {},
                               QStringLiteral("Hysteresis")};
    for (int column = 0; column < headings.size(); ++column) {
        if (headings[column].isEmpty())
            continue;
        auto *heading = new QLabel(headings[column], this);
        heading->setObjectName(QStringLiteral("LblAlarmHeading%1").arg(column));
        grid->addWidget(heading, 0, column);
    }
    for (const AlarmChannel channel : AlarmChannels) {
        const int r = int(channel);
        const QString channelName = alarmChannelName(channel);
        const QString suffix = nameOf(channel);
        Row &row = m_rows[r];
        auto *channelLabel = new QLabel(channelName, this);
        channelLabel->setObjectName(QStringLiteral("LblAlarm") + suffix);
        grid->addWidget(channelLabel, r + 1, 0);
        row.high = new QCheckBox(QStringLiteral("Above"), this);
        row.high->setObjectName(QStringLiteral("High") + suffix);
        row.high->setAccessibleName(QStringLiteral("%1 high limit on").arg(channelName));
        row.highValue = valueBox(QStringLiteral("HighValue") + suffix,
                                 QStringLiteral("%1 high limit").arg(channelName), LowestValue);
        row.low = new QCheckBox(QStringLiteral("Below"), this);
        row.low->setObjectName(QStringLiteral("Low") + suffix);
        row.low->setAccessibleName(QStringLiteral("%1 low limit on").arg(channelName));
        row.lowValue = valueBox(QStringLiteral("LowValue") + suffix,
                                QStringLiteral("%1 low limit").arg(channelName), LowestValue);
        row.hysteresis = valueBox(QStringLiteral("Hysteresis") + suffix,
                                  QStringLiteral("%1 hysteresis").arg(channelName), 0);
        grid->addWidget(row.high, r + 1, 1);
        grid->addWidget(row.highValue, r + 1, 2);
        grid->addWidget(row.low, r + 1, 3);
        grid->addWidget(row.lowValue, r + 1, 4);
        grid->addWidget(row.hysteresis, r + 1, 5);
        for (QCheckBox *box : {row.high, row.low})
            connect(box, &QCheckBox::toggled, this, &AlarmsWindow::apply);
    }

    m_open = new QCheckBox(QStringLiteral("Alarm when a thermocouple is open (\"----\")"), this);
    m_open->setObjectName(QStringLiteral("OpenAlarm"));
    connect(m_open, &QCheckBox::toggled, this, &AlarmsWindow::apply);

    m_unit = new QLabel(this);
    m_unit->setObjectName(QStringLiteral("LblAlarmUnit"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("AlarmText"));
    m_text->setAccessibleName(QStringLiteral("Alarms"));
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *acknowledge = new QPushButton(QStringLiteral("Acknowledge"), this);
    acknowledge->setObjectName(QStringLiteral("Acknowledge"));
    connect(acknowledge, &QPushButton::clicked, &m_model, &AlarmsModel::acknowledge);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_unit);
    layout->addLayout(grid);
    layout->addWidget(m_open);
    layout->addWidget(m_text);
    layout->addWidget(acknowledge, 0, Qt::AlignLeft);

    connect(&m_model, &AlarmsModel::changed, this, &AlarmsWindow::refresh);
    refresh();
}

QDoubleSpinBox *AlarmsWindow::valueBox(const QString &name, const QString &accessibleName,
                                       double minimum) {
    auto *box = new QDoubleSpinBox(this);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setDecimals(1);
    box->setRange(minimum, HighestValue);
    box->setKeyboardTracking(false);
    connect(box, &QDoubleSpinBox::valueChanged, this, &AlarmsWindow::apply);
    return box;
}

void AlarmsWindow::apply() {
    if (m_refreshing)
        return;
    AlarmLimits limits = m_model.limits();
    for (const AlarmChannel channel : AlarmChannels) {
        const Row &row = m_rows[int(channel)];
        ChannelLimits &c = limits.of(channel);
        c.high = {row.high->isChecked(), row.highValue->value()};
        c.low = {row.low->isChecked(), row.lowValue->value()};
        c.hysteresis = row.hysteresis->value();
    }
    limits.openAlarm = m_open->isChecked();
    m_model.setLimits(limits);
}

void AlarmsWindow::refresh() {
    const QScopedValueRollback guard(m_refreshing, true);
    const AlarmLimits &limits = m_model.limits();
    for (const AlarmChannel channel : AlarmChannels) {
        const Row &row = m_rows[int(channel)];
        const ChannelLimits &c = limits.of(channel);
        row.high->setChecked(c.high.on);
        row.highValue->setValue(c.high.value);
        row.low->setChecked(c.low.on);
        row.lowValue->setValue(c.low.value);
        row.hysteresis->setValue(c.hysteresis);
        for (QDoubleSpinBox *box : {row.highValue, row.lowValue})
            box->setSuffix(limits.unit.isEmpty() ? QString() : QLatin1Char(' ') + limits.unit);
    }
    m_open->setChecked(limits.openAlarm);
    m_unit->setText(m_model.unitText());
    const QString text = m_model.alarmText();
    m_text->setText(text.isEmpty() ? QStringLiteral("No alarm") : text);
    m_text->setStyleSheet(m_model.alarming() ? QStringLiteral("color: rgb(220, 0, 0);")
                                             : QString());
}

void AlarmsWindow::closeEvent(QCloseEvent *event) {
    m_model.requestClose();
    event->accept();
}
