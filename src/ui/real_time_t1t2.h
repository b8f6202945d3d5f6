#pragma once

#include "ui/graph_window.h"

class RealTimeT1T2Model;

// The view of the real-time graph: design client size 287 × 211; its range panel holds
// Min, Max and Records (the points per sweep).
class RealTimeT1T2 : public GraphWindow {
    Q_OBJECT

public:
    explicit RealTimeT1T2(RealTimeT1T2Model &model, QWidget *parent = nullptr);
};
