#pragma once

#include "platform/surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <functional>
#include <memory>

// A graph window's surface as a retained QImage, painted by the window's view. The view
// learns of new drawing once until it has shown it, not once per line.
class QtImageSurface : public Surface {
public:
    explicit QtImageSurface(const QFont &font);
    ~QtImageSurface() override;

    QSize size() const override { return m_image.size(); }
    void resize(const QSize &size) override;
    void clear() override;
    void drawLine(const QPointF &from, const QPointF &to, Rgb colour, int width,
                  LineStyle style) override;
    void fillRect(const QPointF &corner, const QPointF &opposite, Rgb colour) override;
    void drawText(const QPointF &topLeft, const QString &text, Rgb colour) override;
    QSizeF textSize(const QString &text) const override;

    // What has been drawn, for the view and the printer.
    const QImage &image() const { return m_image; }
    // Called on the first drawing after the view has shown the image.
    void setChangedCallback(std::function<void()> changed) { m_changed = std::move(changed); }
    // The view has shown the image.
    void shown() { m_changedNotified = false; }

private:
    QPainter *painter();
    void setPen(Rgb colour, int width, LineStyle style);
    void changed();

    QImage m_image;
    QFont m_font;
    QFontMetricsF m_metrics;
    std::unique_ptr<QPainter> m_painter;
    // The pen last set, so that points of one curve do not set it again.
    Rgb m_penColour;
    int m_penWidth = -1;
    LineStyle m_penStyle = LineStyle::Solid;
    std::function<void()> m_changed;
    bool m_changedNotified = false;
};
