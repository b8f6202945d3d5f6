// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/graph_window.h"

class RealTimeT1T2Model;

// The view of the real-time graph, opened at the model's opening size (the design client
// size 287 × 211, taller where the font's value labels need it); its range panel holds Min,
// Max and Records (the points per sweep).
class RealTimeT1T2 : public GraphWindow {
    Q_OBJECT

public:
    explicit RealTimeT1T2(RealTimeT1T2Model &model, QWidget *parent = nullptr);
};
