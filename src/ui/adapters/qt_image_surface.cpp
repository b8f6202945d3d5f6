#include "ui/adapters/qt_image_surface.h"

namespace {

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace

QtImageSurface::QtImageSurface(const QFont &font)
    : m_font(font)
    , m_metrics(font) {}

QtImageSurface::~QtImageSurface() = default;

void QtImageSurface::resize(const QSize &size) {
    m_painter.reset();
    // A size below 1 pixel leaves an image nothing can be drawn on; drawing then does nothing.
    m_image = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    if (!m_image.isNull())
        m_image.fill(Qt::white);
    changed();
}

QPainter *QtImageSurface::painter() {
    if (m_image.isNull())
        return nullptr;
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setFont(m_font);
        m_penWidth = -1;
    }
    changed();
    return m_painter.get();
}

void QtImageSurface::clear() {
    if (QPainter *p = painter())
        p->fillRect(m_image.rect(), Qt::white);
}

void QtImageSurface::setPen(Rgb colour, int width, LineStyle style) {
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

void QtImageSurface::drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                              LineStyle style) {
    if (!painter())
        return;
    setPen(colour, width, style);
    m_painter->drawLine(from, to);
}

void QtImageSurface::fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) {
    if (QPainter *p = painter())
        p->fillRect(QRectF(corner, opposite).normalized(), colourOf(colour));
}

void QtImageSurface::drawText(const QPointF &topLeft, const QString &text, Rgb colour) {
    if (!painter())
        return;
    setPen(colour, 1, LineStyle::Solid);
    m_painter->drawText(QPointF(topLeft.x(), topLeft.y() + m_metrics.ascent()), text);
}

QSizeF QtImageSurface::textSize(const QString &text) const {
    return {m_metrics.horizontalAdvance(text), m_metrics.height()};
}

void QtImageSurface::changed() {
    if (m_changedNotified || !m_changed)
        return;
    m_changedNotified = true;
    m_changed();
}
