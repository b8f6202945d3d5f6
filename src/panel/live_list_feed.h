// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "link/live_values.h"
#include "panel/sample.h"

#include <QObject>

class Platform;
class ListWindowModel;
class WindowModel;
class WindowRegistry;

// The live list "Real Time List": opens it, makes each sample a new row while it is open,
// and writes it to a file named by the date and time when it holds rowsPerList rows
// (345,600 in the program). It owns the live list's state (ListCount, ListUnit).
class LiveListFeed : public QObject, public SampleSink {
    Q_OBJECT

public:
    LiveListFeed(WindowRegistry &windows, const LiveValues &live, Platform &platform,
                 int rowsPerList, QObject *parent = nullptr);

    // "List": captures the unit and opens the list; nothing while it is open.
    void open();
    // A unit change closes the list and ends the tick; otherwise one row.
    bool takeSample(const Sample &sample) override;

    ListWindowModel *list() const;
    int ListCount() const { return m_listCount; }
    QString ListUnit() const { return m_listUnit; }

private:
    void onWindowClosed(WindowModel *window);
    void dumpList(ListWindowModel &list);

    WindowRegistry &m_windows;
    const LiveValues &m_live;
    Platform &m_platform;
    const int m_rowsPerList;
    int m_listCount = 0;
    QString m_listUnit;
};
