// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Surface;

// A printer for the picture of a graph window: one page, the picture scaled to it.
class ImagePrinter {
public:
    virtual ~ImagePrinter() = default;

    // Shows the printer chooser; false when the user cancels it.
    virtual bool choosePrinter() = 0;
    // Prints what the surface shows, scaled to the page; false when printing failed.
    virtual bool printImage(const Surface &surface) = 0;
};
