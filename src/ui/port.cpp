// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/port.h"

#include "link/port_choice.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// 3700 and 2700 twips from the screen's top left corner, at 15 twips a pixel.
constexpr QPoint Position{3700 / 15, 2700 / 15};

} // namespace

Port::Port(std::function<QString(int)> deviceOf, QWidget *parent)
    : QDialog(parent)
    , m_deviceOf(std::move(deviceOf)) {
    setObjectName(QStringLiteral("Port"));
    setWindowTitle(QStringLiteral("COM Port"));

    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("TxtCOM"));
    m_combo->setAccessibleName(QStringLiteral("COM port"));
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->addItems(PortChoice::items());
    m_combo->setCurrentText(QStringLiteral("COM1"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("CmdOK"));
    ok->setDefault(true);

    m_device = new QLabel(this);
    m_device->setObjectName(QStringLiteral("LblDevice"));
    m_device->setEnabled(false);

    auto *row = new QHBoxLayout;
    row->addWidget(m_combo, 1);
    row->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_device);

    connect(m_combo, &QComboBox::currentTextChanged, this, &Port::showDevice);
    connect(ok, &QPushButton::clicked, this, [this] {
        emit chosen(chosenText());
        accept();
    });
    showDevice();
    move(Position);
}

QString Port::chosenText() const {
    return m_combo->currentText();
}

void Port::showDevice() {
    const int n = PortChoice::portNumberOf(chosenText());
    const QString device = n ? m_deviceOf(n) : QString();
    m_device->setText(device.isEmpty() ? tr("No serial device for this name")
                                       : tr("Device: %1").arg(device));
}
