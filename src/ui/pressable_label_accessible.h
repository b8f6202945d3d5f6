// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessibleWidget>

class PressableLabel;

// What assistive technology sees of a PressableLabel: a text named by what it shows (or
// by its accessible name), described by its accessible description, with a press action
// beside the focus action.
class PressableLabelAccessible : public QAccessibleWidget {
public:
    explicit PressableLabelAccessible(PressableLabel *label);

    // Makes assistive technology ask this class for every PressableLabel; once a run.
    static void install();

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    PressableLabel *label() const;
};
