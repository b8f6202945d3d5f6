// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/readout.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <optional>

class GraphWindowModel;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;

// The view both graph windows share: the model's retained picture filling the client
// area, drawn at the screen's device pixel ratio, the toolbar lying over its top strip,
// and the settings panels PFunction and PRange floating over the picture. The range panel's layout
// is each window's own. While the pointer is over the plot, a layer over the picture shows the
// cursor readout; the picture itself is never drawn on, and with the pointer away the layer costs
// nothing.
class GraphWindow : public QWidget {
    Q_OBJECT

public:
    QToolBar *toolbar() const { return m_toolbar; }
    // The readout the layer shows now, if any.
    const std::optional<Readout> &readout() const { return m_readout; }

protected:
    // The unit is the one the picture's legend shows; it goes into the picture's description
    // for assistive technology.
    GraphWindow(GraphWindowModel &model, const QSize &size, const QString &unit, QWidget *parent);

    // PFunction at its place: CKT1T2 over CKT1 over CKT2, the OK and Cancel buttons right.
    void buildFunctionPanel(const QPoint &at);
    // PRange at its place and size, empty: the window fills it with the helpers below.
    QFrame *buildRangePanel(const QPoint &at, const QSize &size);
    // A caption panel (SSPanel) over a range box.
    QLabel *captionPanel(QWidget *parent, const char *name, const QString &text);
    QLineEdit *rangeBox(QWidget *parent, const QString &name);
    // CmdRangeOK and CmdRangeCancel.
    QPushButton *rangeButton(QWidget *parent, bool ok);

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

    // What lies over the picture: the readout; a window adds its own.
    virtual void paintLayer(QPainter &painter);
    // The readout again where the pointer is: after a move, a new picture, a zoom.
    void refreshReadout();

private:
    void showPanels();
    void scheduleTitle();
    // The picture in words: the curves shown in their colours, the range and the unit.
    void describePicture();
    // The picture is drawn at the screen's device pixel ratio: on a new screen, anew.
    void followDevicePixelRatio();
    // Where the readout's box lies, and all the layer covers for it (box and line).
    QRect readoutBox(const Readout &readout) const;
    QRect readoutRect(const Readout &readout) const;

    QPointer<GraphWindowModel> m_model;
    QString m_unit;
    QToolBar *m_toolbar = nullptr;
    QFrame *m_function = nullptr;
    QFrame *m_range = nullptr;
    QHash<QString, QCheckBox *> m_checks;
    QHash<QString, QLineEdit *> m_boxes;
    bool m_titlePending = false;
    bool m_pointerInside = false;
    QPointF m_pointer;
    std::optional<Readout> m_readout;
    QRect m_readoutRect;
};
