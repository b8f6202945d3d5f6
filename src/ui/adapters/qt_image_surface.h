#pragma once

#include "ui/adapters/qt_painter_surface.h"

#include <QImage>

#include <functional>

// A graph window's surface as a retained QImage, painted by the window's view and drawn
// by the routine every picture of a graph is drawn by. The view learns of new drawing
// once until it has shown it, not once per line.
class QtImageSurface : public QtPainterSurface {
public:
    explicit QtImageSurface(const QFont &font);
    ~QtImageSurface() override;

    void resize(const QSize &size) override;

    // What has been drawn.
    const QImage &image() const { return m_image; }
    Pixels pixels() const override;
    void setChangedCallback(std::function<void()> changed) override {
        m_changed = std::move(changed);
    }
    void shown() override { m_changedNotified = false; }

protected:
    void drawing() override { changed(); }

private:
    void changed();

    QImage m_image;
    std::function<void()> m_changed;
    bool m_changedNotified = false;
};
