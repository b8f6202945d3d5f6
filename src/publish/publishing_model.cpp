// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/publishing_model.h"

PublishingModel::PublishingModel(PublishingSession &session, QObject *parent)
    : WindowModel(Name, QStringLiteral("Publishing"), {}, parent)
    , m_session(session) {}

QString PublishingModel::publish(const PublishingSession::Settings &settings,
                                 const QString &password) {
    const QString error = m_session.start(settings, password);
    if (error.isEmpty())
        emit published(settings);
    return error;
}
