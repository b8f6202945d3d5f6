// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/pressable_label_accessible.h"

#include "ui/pressable_label.h"

namespace {

QAccessibleInterface *factory(const QString &className, QObject *object) {
    if (className == QLatin1String(PressableLabel::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new PressableLabelAccessible(static_cast<PressableLabel *>(object));
    return nullptr;
}

} // namespace

PressableLabelAccessible::PressableLabelAccessible(PressableLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

void PressableLabelAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

PressableLabel *PressableLabelAccessible::label() const {
    return static_cast<PressableLabel *>(widget());
}

QString PressableLabelAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? label()->text() : name;
    }
    return QAccessibleWidget::text(t);
}

QStringList PressableLabelAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void PressableLabelAccessible::doAction(const QString &actionName) {
    if (actionName == pressAction() && widget()->isEnabled())
        label()->press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList PressableLabelAccessible::keyBindingsForAction(const QString &actionName) const {
    if (actionName == pressAction())
        return {QStringLiteral("Space"), QStringLiteral("Return")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
