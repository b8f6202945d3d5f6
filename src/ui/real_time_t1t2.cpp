// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/real_time_t1t2.h"

#include "graphs/real_time_t1t2_model.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

RealTimeT1T2::RealTimeT1T2(RealTimeT1T2Model &model, QWidget *parent)
    : GraphWindow(model, model.openingSize(), model.GraphUnit(), parent) {
    buildFunctionPanel(QPoint(24, 32));
    QFrame *range = buildRangePanel(QPoint(24, 32), QSize(241, 49));
    const struct {
        const char *caption;
        const char *text;
        QLatin1StringView box;
    } columns[] = {{"SSPanel1", "Min", GraphControls::TxtMin},
                   {"SSPanel3", "Max", GraphControls::TxtMax},
                   {"SSPanel2", "Records", GraphControls::TxtCounts}};
    int left = 4;
    for (const auto &column : columns) {
        QLabel *caption = captionPanel(range, column.caption, QLatin1String(column.text));
        caption->setGeometry(left, 3, 56, 19);
        QLineEdit *box = rangeBox(range, column.box);
        box->setGeometry(left, 24, 56, 21);
        caption->setBuddy(box); // the box's name for assistive technology
        left += 58;
    }
    rangeButton(range, true)->setGeometry(180, 3, 57, 21);
    rangeButton(range, false)->setGeometry(180, 25, 57, 21);
}
