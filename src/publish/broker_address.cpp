// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/broker_address.h"

#include <QRegularExpression>

BrokerAddress BrokerAddress::parse(const QString &url, QString *error) {
    // A host name, an IPv4 address or a bracketed IPv6 one, then an optional port.
    static const QRegularExpression form(
        QStringLiteral("^(mqtts?)://([A-Za-z0-9._-]+|\\[[0-9A-Fa-f:.]+\\])(?::([0-9]{1,5}))?/?$"));
    const QRegularExpressionMatch match = form.match(url);
    BrokerAddress address;
    if (!match.hasMatch()) {
        *error =
            QStringLiteral("expects mqtt://HOST[:PORT] or mqtts://HOST[:PORT], not '%1'").arg(url);
        return address;
    }
    const bool tls = match.captured(1) == QLatin1String("mqtts");
    int port = tls ? 8883 : 1883;
    if (!match.captured(3).isEmpty()) {
        port = match.captured(3).toInt();
        if (port < 1 || port > 65535) {
            *error = QStringLiteral("the port of '%1' is not from 1 to 65535").arg(url);
            return address;
        }
    }
    QString host = match.captured(2);
    if (host.startsWith(QLatin1Char('[')))
        host = host.mid(1, host.size() - 2);
    address.host = host;
    address.port = port;
    address.tls = tls;
    return address;
}

QString BrokerAddress::url() const {
    const QString shownHost = host.contains(QLatin1Char(':')) ? '[' + host + ']' : host;
    return QStringLiteral("%1://%2:%3").arg(tls ? "mqtts" : "mqtt", shownHost).arg(port);
}
