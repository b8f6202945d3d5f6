#pragma once

class QMainWindow;
class QToolBar;
class WindowModel;

// The toolbar "Toolbar1" of a window, built from its model's buttons: each action carries
// its button's key as object name, forwards a press to the model, and follows the model's
// pictures, tooltips and enabled states.
QToolBar *addWindowToolbar(QMainWindow &window, WindowModel &model);
