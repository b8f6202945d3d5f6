// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "publish/publish_messages.h"

#include "link/reading.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

// A JSON string, quoted and escaped.
QByteArray quoted(const QString &text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray number(double value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

// Fields of an object written in the order given: "key":value pairs, each value JSON.
class ObjectWriter {
public:
    void raw(const QString &key, const QByteArray &json) {
        m_text += (m_text.isEmpty() ? "{" : ",") + quoted(key) + ':' + json;
    }
    void text(const QString &key, const QString &value) { raw(key, quoted(value)); }
    // A reading: its number, or null and the text in "<key>_text".
    void reading(const QString &key, const QString &value) {
        if (Reading::kindOf(QStringView(value)) == Reading::Kind::Number) {
            bool ok = false;
            const double n = Reading::numericValue(QStringView(value), &ok);
            if (ok) {
                raw(key, number(n));
                return;
            }
        }
        raw(key, "null");
        text(key + QStringLiteral("_text"), value);
    }
    QByteArray done() const { return m_text + '}'; }

private:
    QByteArray m_text;
};

void readings(ObjectWriter &object, const QString &t1, const QString &t2, const QString &diff,
              const QString &type, const QString &unit) {
    const QStringList &names = PublishMessages::channels();
    object.reading(names[0], t1);
    object.reading(names[1], t2);
    object.reading(names[2], diff);
    object.text(QStringLiteral("type"), type);
    object.text(QStringLiteral("unit"), unit);
}

} // namespace

namespace PublishMessages {

const QStringList &channels() {
    static const QStringList names{QStringLiteral("T1"), QStringLiteral("T2"),
                                   QStringLiteral("T1-T2")};
    return names;
}

QString topic(const QString &name, const char *leaf) {
    return QStringLiteral("thermodesk/%1/%2").arg(name, QLatin1String(leaf));
}

QString discoveryTopic(const QString &name, const QString &channel) {
    return QStringLiteral("homeassistant/sensor/thermodesk_%1_%2/config").arg(name, channel);
}

bool isValidName(const QString &name) {
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    return form.match(name).hasMatch();
}

QString defaultName(const QString &hostName, const QString &portName) {
    QString name = hostName.section(QLatin1Char('.'), 0, 0) + QLatin1Char('-') + portName;
    static const QRegularExpression unfit(QStringLiteral("[^A-Za-z0-9_-]"));
    name.replace(unfit, QStringLiteral("_"));
    return name.left(64);
}

QString isoTime(const QDateTime &time) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QStringLiteral("%1%2:%3")
               .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString isoTime(const QString &stamp) {
    const QDateTime time = QDateTime::fromString(stamp, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    return time.isValid() ? isoTime(time) : stamp;
}

QByteArray sample(const Sample &sample, qint64 record) {
    ObjectWriter object;
    object.raw(QStringLiteral("record"), QByteArray::number(record));
    object.text(QStringLiteral("time"), isoTime(sample.stamp));
    readings(object, sample.T1Text, sample.T2Text, sample.DiffText, sample.TypeText,
             sample.UnitText);
    return object.done();
}

QByteArray live(const LiveValues &live, const QDateTime &time) {
    ObjectWriter object;
    object.text(QStringLiteral("time"), isoTime(time));
    readings(object, live.T1Text, live.T2Text, live.DiffText, live.TypeText, live.UnitText);
    return object.done();
}

QByteArray alarm(const AlarmEvent &event) {
    AlarmEvent started = event;
    started.kind = event.alarm;
    ObjectWriter object;
    object.text(QStringLiteral("time"), isoTime(event.time));
    object.text(QStringLiteral("channel"), alarmChannelName(event.channel));
    object.text(QStringLiteral("event"), event.eventName());
    object.text(QStringLiteral("alarm"), started.eventName());
    object.reading(QStringLiteral("reading"), event.reading.trimmed());
    object.raw(QStringLiteral("limit"), event.hasLimit() ? number(event.limit) : "null");
    object.text(QStringLiteral("unit"), event.unit);
    object.text(QStringLiteral("text"), event.text());
    return object.done();
}

QByteArray discovery(const QString &name, const QString &channel, const QString &unit) {
    const QString id = QStringLiteral("thermodesk_%1_%2").arg(name, channel);
    ObjectWriter device;
    device.raw(QStringLiteral("identifiers"),
               '[' + quoted(QStringLiteral("thermodesk_") + name) + ']');
    device.text(QStringLiteral("name"), name);
    device.text(QStringLiteral("model"), QStringLiteral("ThermoDesk"));
    ObjectWriter object;
    object.text(QStringLiteral("name"), QStringLiteral("%1 %2").arg(name, channel));
    object.text(QStringLiteral("unique_id"), id);
    object.text(QStringLiteral("object_id"), id);
    object.text(QStringLiteral("device_class"), QStringLiteral("temperature"));
    object.text(QStringLiteral("state_class"), QStringLiteral("measurement"));
    object.text(QStringLiteral("unit_of_measurement"), unit);
    object.text(QStringLiteral("state_topic"), topic(name, "live"));
    object.text(QStringLiteral("value_template"),
                QStringLiteral("{{ value_json['%1'] }}").arg(channel));
    object.text(QStringLiteral("availability_topic"), topic(name, "status"));
    object.text(QStringLiteral("payload_available"), QStringLiteral("online"));
    object.text(QStringLiteral("payload_not_available"), QStringLiteral("offline"));
    object.raw(QStringLiteral("device"), device.done());
    return object.done();
}

} // namespace PublishMessages
