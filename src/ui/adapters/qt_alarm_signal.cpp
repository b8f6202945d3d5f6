// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_alarm_signal.h"

#include <QApplication>
#include <QIcon>
#include <QSystemTrayIcon>

QtAlarmSignal::QtAlarmSignal() = default;

QtAlarmSignal::~QtAlarmSignal() = default;

void QtAlarmSignal::sound() {
    QApplication::beep();
}

void QtAlarmSignal::notify(const QString &title, const QString &text) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!m_tray) {
        m_tray = std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/images/alarm.svg")));
        m_tray->setToolTip(QStringLiteral("ThermoDesk"));
        m_tray->show();
    }
    m_tray->showMessage(title, text, QSystemTrayIcon::Warning);
}
