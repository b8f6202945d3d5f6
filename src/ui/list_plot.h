#pragma once

#include "ui/graph_window.h"

class ListPlotModel;

// The view of the file plot; its range panel holds the frames "Temperature" (Min, Max)
// and "No.s" (From, To).
class ListPlot : public GraphWindow {
    Q_OBJECT

public:
    explicit ListPlot(ListPlotModel &model, QWidget *parent = nullptr);
};
