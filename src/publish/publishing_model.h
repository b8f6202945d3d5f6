// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "publish/publishing_session.h"
#include "windowing/window_model.h"

// The "Publishing" window: the broker, its CA file, the user, the password (never kept)
// and the meter's name, how publishing goes, and the commands that start and stop it.
class PublishingModel : public WindowModel {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"Publishing"};

    explicit PublishingModel(PublishingSession &session, QObject *parent = nullptr);

    PublishingSession &session() { return m_session; }
    // Starts publishing with what the window holds; the reason it cannot, or empty.
    QString publish(const PublishingSession::Settings &settings, const QString &password);
    void stop() { m_session.stop(); }

signals:
    // The settings were used: the desk keeps them for the next run.
    void published(const PublishingSession::Settings &settings);

private:
    PublishingSession &m_session;
};
