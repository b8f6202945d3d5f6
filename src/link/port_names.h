// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Maps the chooser's names "COM1".."COM16" to serial devices. On Windows "COMn" is the
// system port of that name; elsewhere it is the n-th serial device present, in a stable
// order. Either way a mapping given on the command line ("COM1=/dev/ttyUSB0") wins.
class PortNames {
public:
    // Parses "COMn=DEVICE"; false for anything else (n outside 1..16, empty device).
    bool addMapping(const QString &argument);
    // The serial devices present, in any order; they are sorted here.
    void setPresentDevices(const QStringList &devices);
    // The device for COMn, or an empty text when there is none.
    QString deviceFor(int portNumber) const;

    static QStringList sortedDevices(QStringList devices);

private:
    QMap<int, QString> m_mappings;
    QStringList m_present;
};
