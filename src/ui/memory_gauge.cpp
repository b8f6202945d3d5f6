// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/memory_gauge.h"

#include <qdrawutil.h>
#include <QPainter>

#include <algorithm>

namespace {

// The sunken frame around the fill, as the panel's.
constexpr int FrameWidth = 2;

} // namespace

const QColor MemoryGauge::UsedColour(0, 0, 160);
const QColor MemoryGauge::UnusedColour(255, 255, 255);

MemoryGauge::MemoryGauge(QWidget *parent)
    : QPushButton(parent) {
    setObjectName(QStringLiteral("MSize"));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    // Enter presses it too, as Space does any button.
    setAutoDefault(true);
    setAccessibleDescription(QStringLiteral("Press to erase the meter's memory"));
    setText(caption(m_percent));
}

QString MemoryGauge::caption(int percent) {
    return QStringLiteral("Memory Size  %1 %").arg(percent);
}

void MemoryGauge::setPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_percent)
        return;
    m_percent = percent;
    setText(caption(m_percent));
}

QSize MemoryGauge::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(caption(100)) + 40, metrics.height() + 12};
}

void MemoryGauge::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, FrameWidth);
    const QRect inside = rect().adjusted(FrameWidth, FrameWidth, -FrameWidth, -FrameWidth);
    const int usedWidth = inside.width() * m_percent / 100;
    const QRect used(inside.topLeft(), QSize(usedWidth, inside.height()));
    const QRect unused(inside.left() + usedWidth, inside.top(), inside.width() - usedWidth,
                       inside.height());
    painter.fillRect(used, UsedColour);
    painter.fillRect(unused, UnusedColour);
    // The caption reads across the boundary: light on the used part, dark on the rest.
    painter.save();
    painter.setClipRect(used);
    painter.setPen(Qt::white);
    painter.drawText(inside, Qt::AlignCenter, text());
    painter.setClipRect(unused);
    painter.setPen(Qt::black);
    painter.drawText(inside, Qt::AlignCenter, text());
    painter.restore();
    if (hasFocus()) {
        // A frame that shows on both colours of the fill: white under black dots.
        const QRect focus = inside.adjusted(2, 2, -3, -3);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(focus);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(focus);
    }
}
