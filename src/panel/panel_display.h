// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

// What one control of the main window shows: its text (labels) and whether it is visible.
struct DisplayElement {
    QString text;
    bool visible = true;

    bool operator==(const DisplayElement &) const = default;
};

// Every control of the main window's meter display and recording labels, under its
// control name. Images carry no text, only visibility.
struct PanelDisplay {
    DisplayElement LblMain;
    DisplayElement LblSmall;
    DisplayElement LblUpT1{QStringLiteral("T1"), false};
    DisplayElement LblDash{QStringLiteral("-"), false};
    DisplayElement LblUpT2{QStringLiteral("T2"), false};
    DisplayElement LblDownT1{QStringLiteral("T1"), false};
    DisplayElement LblDownT2{QStringLiteral("T2"), false};
    DisplayElement ImaUpF{{}, false};
    DisplayElement ImaUpC{{}, false};
    DisplayElement ImaDownF{{}, false};
    DisplayElement ImaDownC{{}, false};
    DisplayElement LblTime;
    DisplayElement ImaClock{{}, false};
    DisplayElement LblType{QStringLiteral("K"), true};
    DisplayElement LblMax{QStringLiteral("MAX"), false};
    DisplayElement LblMin{QStringLiteral("MIN"), false};
    DisplayElement LblAvg{QStringLiteral("AVG"), false};
    DisplayElement LblM{QStringLiteral("M"), false};
    DisplayElement LblH{QStringLiteral("H"), false};
    DisplayElement LblRec{QStringLiteral("REC"), false};
    DisplayElement ImaRel{{}, false};
    DisplayElement ImaBt{{}, false};
    DisplayElement LblCOM{QStringLiteral("No COM"), true};
    DisplayElement LblRecording{QStringLiteral("Recording"), false};
    DisplayElement LblCount;
    DisplayElement LblFileName;

    struct Entry {
        const char *name;
        DisplayElement PanelDisplay::*element;
    };
    // The controls by object name, for views and tests that walk them all.
    static constexpr std::array<Entry, 26> entries() {
        return {
            {{"LblMain", &PanelDisplay::LblMain},     {"LblSmall", &PanelDisplay::LblSmall},
             {"LblUpT1", &PanelDisplay::LblUpT1},     {"LblDash", &PanelDisplay::LblDash},
             {"LblUpT2", &PanelDisplay::LblUpT2},     {"LblDownT1", &PanelDisplay::LblDownT1},
             {"LblDownT2", &PanelDisplay::LblDownT2}, {"ImaUpF", &PanelDisplay::ImaUpF},
             {"ImaUpC", &PanelDisplay::ImaUpC},       {"ImaDownF", &PanelDisplay::ImaDownF},
             {"ImaDownC", &PanelDisplay::ImaDownC},   {"LblTime", &PanelDisplay::LblTime},
             {"ImaClock", &PanelDisplay::ImaClock},   {"LblType", &PanelDisplay::LblType},
             {"LblMax", &PanelDisplay::LblMax},       {"LblMin", &PanelDisplay::LblMin},
             {"LblAvg", &PanelDisplay::LblAvg},       {"LblM", &PanelDisplay::LblM},
             {"LblH", &PanelDisplay::LblH},           {"LblRec", &PanelDisplay::LblRec},
             {"ImaRel", &PanelDisplay::ImaRel},       {"ImaBt", &PanelDisplay::ImaBt},
             {"LblCOM", &PanelDisplay::LblCOM},       {"LblRecording", &PanelDisplay::LblRecording},
             {"LblCount", &PanelDisplay::LblCount},   {"LblFileName", &PanelDisplay::LblFileName}}};
    }
};
