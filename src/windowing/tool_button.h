#pragma once

#include <QString>

// A toolbar button of a window: identified by its key, drawn from the window's image
// list by its index, explained by its tooltip. A disabled button cannot be pressed; a
// hidden one is not offered at all (a command that has nothing to work on).
struct ToolButton {
    QString key;
    QString tooltip;
    int image = 0;
    bool enabled = true;
    bool visible = true;

    bool operator==(const ToolButton &) const = default;
};
