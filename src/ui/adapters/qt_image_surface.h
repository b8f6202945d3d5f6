// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/adapters/qt_painter_surface.h"

#include <QImage>

#include <functional>

// A graph window's surface as a retained QImage, painted by the window's view and drawn
// by the routine every picture of a graph is drawn by. The view learns of new drawing
// once until it has shown it, not once per line. The image holds the screen's device
// pixels (devicePixelRatio() of them to a pixel of the window), so lines and texts are as
// sharp as the screen; everything is drawn and measured in the window's pixels.
class QtImageSurface : public QtPainterSurface {
public:
    explicit QtImageSurface(const QFont &font);
    ~QtImageSurface() override;

    // The size is in the window's pixels; the image is devicePixelRatio() times as large.
    void resize(const QSize &size) override;

    // Device pixels per pixel of the window, taken at the next resize.
    qreal devicePixelRatio() const override { return m_ratio; }
    void setDevicePixelRatio(qreal ratio) override { m_ratio = ratio > 0 ? ratio : 1; }

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
    qreal m_ratio = 1;
    std::function<void()> m_changed;
    bool m_changedNotified = false;
};
