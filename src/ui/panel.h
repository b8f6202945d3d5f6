#pragma once

#include <QMainWindow>
#include <QPointer>

class AboutBox;
class PanelModel;
class QLabel;
class QToolBar;

// The main window: the meter's display as the meter shows it, the port label and the
// recording labels, and the toolbar of panel commands.
class Panel : public QMainWindow {
    Q_OBJECT

public:
    explicit Panel(PanelModel &model, QWidget *parent = nullptr);

    QToolBar *toolbar() const { return m_toolbar; }
    // "About ThermoDesk", also by F1 from any window of the program; raised when open.
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildDisplay();
    QLabel *label(const char *name, double pointSize, bool blueDigits = false);
    QLabel *image(const char *name, const char *resource);
    void refresh();

    PanelModel &m_model;
    QToolBar *m_toolbar = nullptr;
    QPointer<AboutBox> m_about;
};
