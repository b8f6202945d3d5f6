#include "ui/memory_gauge.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

const QColor MemoryGauge::UsedColour(0, 0, 160);
const QColor MemoryGauge::UnusedColour(255, 255, 255);

MemoryGauge::MemoryGauge(QWidget *parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("MSize"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MemoryGauge::setPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == m_percent)
        return;
    m_percent = percent;
    update();
}

QString MemoryGauge::text() const {
    return QStringLiteral("Memory Size  %1 %").arg(m_percent);
}

QSize MemoryGauge::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text()) + 40, metrics.height() + 12};
}

void MemoryGauge::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inside = contentsRect();
    const int usedWidth = inside.width() * m_percent / 100;
    const QRect used(inside.topLeft(), QSize(usedWidth, inside.height()));
    const QRect unused(inside.left() + usedWidth, inside.top(), inside.width() - usedWidth,
                       inside.height());
    painter.fillRect(used, UsedColour);
    painter.fillRect(unused, UnusedColour);
    // The caption reads across the boundary: light on the used part, dark on the rest.
    painter.setClipRect(used);
    painter.setPen(Qt::white);
    painter.drawText(inside, Qt::AlignCenter, text());
    painter.setClipRect(unused);
    painter.setPen(Qt::black);
    painter.drawText(inside, Qt::AlignCenter, text());
}

void MemoryGauge::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}
