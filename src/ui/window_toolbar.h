#pragma once

class QMainWindow;
class QToolBar;
class QWidget;
class WindowModel;

// The toolbar "Toolbar1" of a window, built from its model's buttons: each action carries
// its button's key as object name, forwards a press to the model, and follows the model's
// pictures, tooltips, enabled states and visibility.
QToolBar *addWindowToolbar(QMainWindow &window, WindowModel &model);

// The same toolbar lying over the top of a plain window, whose own drawing goes on under
// it (the graphs); the window keeps it as wide as itself.
QToolBar *addOverlayToolbar(QWidget &window, WindowModel &model);
