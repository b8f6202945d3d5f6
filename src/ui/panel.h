// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    // One more line under the recording's file: the publishing indicator.
    void addStatusLine(QWidget *line);
    // "About ThermoDesk", also by F1 from any window of the program; raised when open.
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildDisplay();
    // A display label; what it stands for is its accessible description, its text its name.
    QLabel *label(const char *name, double pointSize, const QString &meaning,
                  bool blueDigits = false);
    void styleLabel(QLabel *label, const char *name, double pointSize, const QString &meaning,
                    bool blueDigits = false);
    // A display image, named for assistive technology by what it shows.
    QLabel *image(const char *name, const char *resource, const QString &meaning);
    void refresh();

    PanelModel &m_model;
    QToolBar *m_toolbar = nullptr;
    class QVBoxLayout *m_displayLayout = nullptr;
    QPointer<AboutBox> m_about;
};
