// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_painter_surface.h"

namespace {

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

QtPainterSurface::QtPainterSurface(const QFont &font)
    : m_font(font)
    , m_metrics(font) {}

QtPainterSurface::QtPainterSurface(QPaintDevice &device, const QSize &size, const QFont &font)
    : m_device(&device)
    , m_size(size)
    , m_font(font)
    , m_metrics(font) {}

QtPainterSurface::~QtPainterSurface() {
    finish();
}

void QtPainterSurface::setDevice(QPaintDevice *device, const QSize &size) {
    finish();
    m_device = device;
    m_size = size;
    m_failed = false;
}

bool QtPainterSurface::finish() {
    if (m_painter) {
        m_failed = !m_painter->end() || m_failed;
        m_painter.reset();
    }
    return !m_failed;
}

QPainter *QtPainterSurface::painter() {
    if (!m_device || m_failed)
        return nullptr;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_device)) {
            m_painter.reset();
            m_failed = true;
            return nullptr;
        }
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setFont(m_font);
        m_penWidth = -1;
    }
    drawing();
    return m_painter.get();
}

void QtPainterSurface::resize(const QSize &) {
    clear();
}

void QtPainterSurface::clear() {
    if (QPainter *p = painter())
        p->fillRect(QRect(QPoint(), m_size), Qt::white);
}

void QtPainterSurface::setPen(Rgb colour, int width, LineStyle style) {
    if (colour == m_penColour && width == m_penWidth && style == m_penStyle)
        return;
    m_penColour = colour;
    m_penWidth = width;
    m_penStyle = style;
    QPen pen(colourOf(colour));
    pen.setWidth(width);
    pen.setStyle(style == LineStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::SquareCap);
    m_painter->setPen(pen);
}

void QtPainterSurface::drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                                LineStyle style) {
    if (!painter())
        return;
    setPen(colour, width, style);
    m_painter->drawLine(from, to);
}

void QtPainterSurface::fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) {
    if (QPainter *p = painter())
        p->fillRect(QRectF(corner, opposite).normalized(), colourOf(colour));
}

void QtPainterSurface::drawText(const QPointF &topLeft, const QString &text, Rgb colour) {
    if (!painter())
        return;
    setPen(colour, 1, LineStyle::Solid);
    m_painter->drawText(QPointF(topLeft.x(), topLeft.y() + m_metrics.ascent()), text);
}

QSizeF QtPainterSurface::textSize(const QString &text) const {
    return {m_metrics.horizontalAdvance(text), m_metrics.height()};
}
