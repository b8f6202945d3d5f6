// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLatin1StringView>
#include <QString>

// The keys of the keyboard a toolbar button answers besides its click, the same in every
// window; the view maps them to the system's own (Ctrl+S, Ctrl+O, Ctrl+P).
enum class StandardKey { None, Save, Open, Print };

// A toolbar button's key: its name as the system knows it, which is its action's object
// name, and the standard key it answers.
struct ToolKey {
    QLatin1StringView name;
    StandardKey standardKey = StandardKey::None;

    bool operator==(const ToolKey &) const = default;
};

// Every key of every toolbar, each written once: a window's commands name theirs from here.
namespace ToolKeys {
inline constexpr ToolKey Save{QLatin1StringView("Save"), StandardKey::Save};
inline constexpr ToolKey Open{QLatin1StringView("Open"), StandardKey::Open};
inline constexpr ToolKey Sample{QLatin1StringView("Sample")};
inline constexpr ToolKey List{QLatin1StringView("List")};
inline constexpr ToolKey Graph{QLatin1StringView("Graph")};
inline constexpr ToolKey Plot{QLatin1StringView("Plot")};
inline constexpr ToolKey Print{QLatin1StringView("Print"), StandardKey::Print};
inline constexpr ToolKey ExportCsv{QLatin1StringView("ExportCsv")};
inline constexpr ToolKey PlotAll{QLatin1StringView("PlotAll")};
inline constexpr ToolKey Function{QLatin1StringView("Function")};
inline constexpr ToolKey Range{QLatin1StringView("Range")};
inline constexpr ToolKey SaveImage{QLatin1StringView("SaveImage")};
} // namespace ToolKeys

// A button of a window's toolbar: one of the window's commands (the number of its model's
// command enum), its key, its picture by name (":/images/<picture>.svg") and its tooltip. A
// disabled button cannot be pressed; a hidden one is not offered at all (a command that has
// nothing to work on).
struct ToolButton {
    int command = 0;
    ToolKey key;
    QString tooltip;
    QString picture;
    bool enabled = true;
    bool visible = true;

    bool operator==(const ToolButton &) const = default;
};
