// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/live_list_feed.h"

#include "lists/list_file_io.h"
#include "lists/list_window_model.h"
#include "platform/busy_pointer.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "records/file_names.h"
#include "records/record_file_writer.h"
#include "windowing/window_registry.h"

#include <QDir>

LiveListFeed::LiveListFeed(WindowRegistry &windows, const LiveValues &live, Platform &platform,
                           int rowsPerList, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_live(live)
    , m_platform(platform)
    , m_rowsPerList(rowsPerList) {
    connect(&m_windows, &WindowRegistry::windowClosed, this, &LiveListFeed::onWindowClosed);
}

ListWindowModel *LiveListFeed::list() const {
    return m_windows.find<ListWindowModel>(ListWindowModel::ListName);
}

void LiveListFeed::open() {
    if (list())
        return;
    m_listUnit = m_live.UnitText;
    m_windows.open(std::make_unique<ListWindowModel>(ListWindowModel::Kind::List, m_live.TypeText,
                                                     m_live.UnitText));
}

void LiveListFeed::onWindowClosed(WindowModel *window) {
    // Numbering starts at 1 again the next time the list opens.
    if (window->name() == ListWindowModel::ListName)
        m_listCount = 0;
}

bool LiveListFeed::takeSample(const Sample &sample) {
    ListWindowModel *list = this->list();
    if (!list)
        return true;
    if (sample.UnitText != m_listUnit) {
        list->requestClose();
        return false;
    }
    ++m_listCount;
    list->appendRow({QString::number(m_listCount), sample.stamp, sample.T1Text, sample.T2Text,
                     sample.DiffText});
    if (m_listCount > ListWindowModel::VisibleDataRows)
        list->scrollDown();
    if (m_listCount % m_rowsPerList == 0)
        dumpList(*list);
    return true;
}

void LiveListFeed::dumpList(ListWindowModel &list) {
    const QString fileName = listDumpFileName(m_platform.clock().now());
    m_platform.pointer().setBusy(true);
    const QString caption = list.caption();
    RecordFileWriter file(RecordFileWriter::Flush::AtEnd);
    bool written = file.create(fileName) &&
                   ListFileIO::writeRows(file, list, nullptr) == ListFileIO::Outcome::Done;
    written = file.close() && written;
    list.setCaption(caption);
    m_platform.pointer().setBusy(false);
    if (!written) {
        // The rows stay in the list, so nothing is lost; the next dump takes them along.
        m_platform.dialogs().message(
            QStringLiteral("The live list could not be written to \"%1\":\n%2")
                .arg(QDir::toNativeSeparators(fileName), file.errorString()),
            Dialogs::Icon::Critical);
        return;
    }
    list.clearRows();
}
