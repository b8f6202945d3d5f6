// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/stop_requests.h"

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP as requests to stop, answered in the event loop: the signal
// handler only writes the signal's number to a socket pair, whose other end the loop reads.
class PosixStopRequests : public QObject, public StopRequests {
    Q_OBJECT

public:
    explicit PosixStopRequests(Handler handler, QObject *parent = nullptr);
    // Restores the handlers that were there before.
    ~PosixStopRequests() override;

    bool isValid() const override { return m_notifier != nullptr; }
    QString names() const override { return QStringLiteral("SIGINT, SIGTERM and SIGHUP"); }

private:
    void onReadable();

    Handler m_handler;
    QSocketNotifier *m_notifier = nullptr;
};
