#include "records/record_row.h"

#include <QDateTime>

QString recordTimeStamp(const QDateTime &when) {
    return when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString headingField(const QString &type, const QString &unit) {
    return type + QLatin1StringView(" Type ") + unit;
}

RecordRow headingRow(const QString &type, const QString &unit) {
    return {headingField(type, unit), DateTimeHeading, T1Heading, T2Heading, DiffHeading};
}
