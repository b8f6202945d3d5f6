// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr qint64 YieldPeriodMs = 15;

} // namespace

QtEventPump::QtEventPump() {
    m_sinceYield.start();
}

void QtEventPump::wait(double seconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 length = qint64(seconds * 1000.0 + 0.5);
    // A loop that ends early (an exit from elsewhere) is entered again until the whole
    // time has passed, unless the program is quitting.
    for (qint64 left = length; left > 0 && !m_quitting; left = length - elapsed.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(int(left), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    }
    m_sinceYield.restart();
}

void QtEventPump::after(double seconds, QObject *context, std::function<void()> then) {
    QTimer::singleShot(int(seconds * 1000.0 + 0.5), Qt::PreciseTimer, context,
                       [this, then = std::move(then)] {
                           if (!m_quitting)
                               then();
                       });
}

bool QtEventPump::yield() {
    // Reading the clock costs more than a record of a load: look at it every few calls.
    if (++m_callsSinceClock < CallsPerClockReading)
        return false;
    m_callsSinceClock = 0;
    if (m_sinceYield.elapsed() < YieldPeriodMs)
        return false;
    QCoreApplication::processEvents();
    m_sinceYield.restart();
    return true;
}

void QtEventPump::requestQuit() {
    m_quitting = true;
}
