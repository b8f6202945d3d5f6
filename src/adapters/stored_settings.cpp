// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "adapters/stored_settings.h"

#include "link/port_names.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

const QString MappingsKey = QStringLiteral("ports/mappings");
const QString AlarmsKey = QStringLiteral("alarms/limits");
const QString PublishingKey = QStringLiteral("publishing/settings");

QString folderKey(StoredSettings::Dialog dialog) {
    return dialog == StoredSettings::Dialog::Open ? QStringLiteral("folders/open")
                                                  : QStringLiteral("folders/save");
}

// Keys as any version of the program writes them; anything else is not ours.
bool isKeyName(const QString &key) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9_./-]+$"));
    return name.match(key).hasMatch();
}

bool isMappingList(const QVariant &value) {
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::QStringList)
        return false;
    PortNames names;
    const QStringList mappings = value.toStringList();
    return std::all_of(mappings.begin(), mappings.end(),
                       [&names](const QString &mapping) { return names.addMapping(mapping); });
}

bool isTextList(const QVariant &value) {
    return value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QStringList;
}

bool isFolder(const QVariant &value) {
    return value.typeId() == QMetaType::QString && QDir::isAbsolutePath(value.toString());
}

} // namespace

namespace {

// A file on every system, so that a damaged one is told and --reset-settings removes it:
// on Windows QSettings would otherwise keep it in the registry.
std::unique_ptr<QSettings> usersSettings() {
#if defined(Q_OS_WIN)
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QCoreApplication::organizationName(),
                                       QCoreApplication::applicationName());
#else
    return std::make_unique<QSettings>();
#endif
}

} // namespace

StoredSettings::StoredSettings()
    : m_settings(usersSettings()) {
    check();
}

StoredSettings::StoredSettings(const QString &fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {
    check();
}

StoredSettings::~StoredSettings() = default;

QString StoredSettings::fileName() const {
    return m_settings->fileName();
}

void StoredSettings::check() {
    switch (m_settings->status()) {
    case QSettings::NoError:
        break;
    case QSettings::AccessError:
        m_problem = QStringLiteral("it cannot be read");
        return;
    case QSettings::FormatError:
        m_problem = QStringLiteral("it is damaged");
        return;
    }
    const QStringList keys = m_settings->allKeys();
    const bool known = std::all_of(keys.begin(), keys.end(), isKeyName);
    const QVariant mappings = m_settings->value(MappingsKey);
    const QVariant open = m_settings->value(folderKey(Dialog::Open));
    const QVariant save = m_settings->value(folderKey(Dialog::Save));
    const QVariant alarms = m_settings->value(AlarmsKey);
    if (!known || (mappings.isValid() && !isMappingList(mappings)) ||
        (alarms.isValid() && !isTextList(alarms)) || (open.isValid() && !isFolder(open)) ||
        (save.isValid() && !isFolder(save)))
        m_problem = QStringLiteral("it holds what this program did not write");
}

QString StoredSettings::lastFolder(Dialog dialog) const {
    if (!m_problem.isEmpty())
        return {};
    return m_settings->value(folderKey(dialog)).toString();
}

void StoredSettings::setLastFolder(Dialog dialog, const QString &folder) {
    if (!m_problem.isEmpty() || !QDir::isAbsolutePath(folder))
        return;
    m_settings->setValue(folderKey(dialog), QDir::cleanPath(folder));
    m_settings->sync();
}

QStringList StoredSettings::portMappings() const {
    if (!m_problem.isEmpty())
        return {};
    return m_settings->value(MappingsKey).toStringList();
}

void StoredSettings::setPortMappings(const QStringList &mappings) {
    if (!m_problem.isEmpty() || !isMappingList(mappings))
        return;
    m_settings->setValue(MappingsKey, mappings);
    m_settings->sync();
}

QStringList StoredSettings::alarmLimits() const {
    if (!m_problem.isEmpty())
        return {};
    return m_settings->value(AlarmsKey).toStringList();
}

void StoredSettings::setAlarmLimits(const QStringList &lines) {
    if (!m_problem.isEmpty())
        return;
    m_settings->setValue(AlarmsKey, lines);
    m_settings->sync();
}

QStringList StoredSettings::publishing() const {
    if (!m_problem.isEmpty())
        return {};
    const QVariant value = m_settings->value(PublishingKey);
    return value.typeId() == QMetaType::QStringList ? value.toStringList() : QStringList();
}

void StoredSettings::setPublishing(const QStringList &settings) {
    if (!m_problem.isEmpty())
        return;
    m_settings->setValue(PublishingKey, settings);
    m_settings->sync();
}

bool StoredSettings::forget(const QString &fileName, QString *error) {
    const QFileInfo info(fileName);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir()) {
        *error = QStringLiteral("it is a folder");
        return false;
    }
    QFile file(fileName);
    if (file.remove())
        return true;
    *error = file.errorString();
    return false;
}
