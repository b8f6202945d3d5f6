// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

// What stays between runs, where the program otherwise keeps nothing: the folder each file
// dialog showed last, the --port mappings given last and the alarm limits. A settings file that
// cannot be read or holds what no run wrote is ignored, read and written as if it were not there.
class StoredSettings {
public:
    enum class Dialog { Open, Save };

    // The user's settings file, named after the organisation and the application.
    StoredSettings();
    // A settings file of its own.
    explicit StoredSettings(const QString &fileName);
    ~StoredSettings();
    StoredSettings(const StoredSettings &) = delete;
    StoredSettings &operator=(const StoredSettings &) = delete;

    QString fileName() const;
    // Why the file is ignored, in a few words; empty when it is not.
    QString problem() const { return m_problem; }

    // An absolute folder, or an empty text when none is stored.
    QString lastFolder(Dialog dialog) const;
    void setLastFolder(Dialog dialog, const QString &folder);

    // "COMn=DEVICE" each, in the order given.
    QStringList portMappings() const;
    void setPortMappings(const QStringList &mappings);

    // The alarm limits as lines of text (the alarms read and check them).
    QStringList alarmLimits() const;
    void setAlarmLimits(const QStringList &lines);
    // The publishing window's settings used last: broker, CA file, user, name (never a
    // password); empty when none are stored.
    QStringList publishing() const;
    void setPublishing(const QStringList &settings);

    // Removes the settings file. False, with the reason in error, when it stays.
    static bool forget(const QString &fileName, QString *error);

private:
    void check();

    std::unique_ptr<QSettings> m_settings;
    QString m_problem;
};
