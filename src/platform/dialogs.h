// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The system's message, input and file dialogs. A cancel is a result, not an error.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical };
    enum class Buttons { Ok, OkCancel };
    enum class Answer { Ok, Cancel };

    virtual ~Dialogs() = default;

    // An empty title means the program's own title.
    virtual Answer message(const QString &text, Icon icon, Buttons buttons = Buttons::Ok,
                           const QString &title = {}) = 0;
    // The typed text, or an empty text when cancelled.
    virtual QString input(const QString &prompt, const QString &title,
                          const QString &defaultText) = 0;
    // Filters are in the "Label (*.x)|*.x|..." form of the record file dialogs.
    // The chosen path, or an empty text when cancelled.
    virtual QString openFile(const QString &filter) = 0;
    // Always confirms before an existing file is overwritten; adds ".rdg" when the
    // name has no suffix. The chosen path, or an empty text when cancelled.
    virtual QString saveFile(const QString &filter) = 0;
    // The same for a file of another kind: defaultSuffix ("csv", "png") is added when the
    // name has none.
    virtual QString saveFileAs(const QString &filter, const QString &defaultSuffix) = 0;
};
