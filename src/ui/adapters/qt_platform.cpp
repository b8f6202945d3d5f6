// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/adapters/qt_platform.h"

#include "ui/adapters/qt_image_printer.h"
#include "ui/adapters/qt_image_surface.h"
#include "ui/adapters/qt_picture_writer.h"
#include "ui/adapters/qt_text_printer.h"

#include <QApplication>

std::unique_ptr<TextPrinter> QtPlatform::makeTextPrinter() {
    return std::make_unique<QtTextPrinter>(QApplication::activeWindow());
}

std::unique_ptr<Surface> QtPlatform::makeSurface() {
    return std::make_unique<QtImageSurface>(QApplication::font());
}

std::unique_ptr<ImagePrinter> QtPlatform::makeImagePrinter() {
    return std::make_unique<QtImagePrinter>(QApplication::activeWindow());
}

std::unique_ptr<PictureWriter> QtPlatform::makePictureWriter() {
    return std::make_unique<QtPictureWriter>(QApplication::font());
}
