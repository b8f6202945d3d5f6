// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_image_surface.h"

#include <QtMath>

QtImageSurface::QtImageSurface(const QFont &font)
    : QtPainterSurface(font) {}

QtImageSurface::~QtImageSurface() {
    // The painter ends before the image it paints on goes.
    finish();
}

void QtImageSurface::resize(const QSize &size) {
    setDevice(nullptr, QSize(0, 0));
    // A size below 1 pixel leaves an image nothing can be drawn on; drawing then does nothing.
    m_image = size.isEmpty()
                  ? QImage()
                  : QImage(QSize(qCeil(size.width() * m_ratio), qCeil(size.height() * m_ratio)),
                           QImage::Format_RGB32);
    if (!m_image.isNull()) {
        m_image.setDevicePixelRatio(m_ratio);
        m_image.fill(Qt::white);
        setDevice(&m_image, size);
    }
    changed();
}

Surface::Pixels QtImageSurface::pixels() const {
    if (m_image.isNull())
        return {};
    return {m_image.constBits(), m_image.size(), m_image.bytesPerLine(),
            m_image.devicePixelRatio()};
}

void QtImageSurface::changed() {
    if (m_changedNotified || !m_changed)
        return;
    m_changedNotified = true;
    m_changed();
}
