// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_frame.h"
#include "graphs/graph_state.h"
#include "graphs/range_entry.h"
#include "graphs/readout.h"
#include "windowing/command_window.h"

#include <QHash>
#include <QSize>
#include <QTimer>

#include <memory>
#include <optional>

class Surface;
class TimerGate;
class Platform;

// The controls of the graphs' settings panels by the system's names: the views name their
// widgets so, and the model keeps what the user leaves in them under the same names.
namespace GraphControls {
inline constexpr QLatin1StringView CKT1{"CKT1"};
inline constexpr QLatin1StringView CKT2{"CKT2"};
inline constexpr QLatin1StringView CKT1T2{"CKT1T2"};
inline constexpr QLatin1StringView TxtMax{"TxtMax"};
inline constexpr QLatin1StringView TxtMin{"TxtMin"};
inline constexpr QLatin1StringView TxtCounts{"TxtCounts"};
inline constexpr QLatin1StringView TxtFrom{"TxtFrom"};
inline constexpr QLatin1StringView TxtTo{"TxtTo"};
} // namespace GraphControls

// The toolbar of both graph windows: the function panel, the range panel, printing the
// picture and saving it to a file.
enum class GraphCommand { Function, Range, Print, SaveImage };

// What the real-time graph and the file plot share: the drawing surface and the graph
// state, the timer Timer1, the toolbar ("Function", "Range", "Print", "Save Image"), the
// settings panels PFunction (check boxes CKT1, CKT2, CKT1T2) and PRange (text boxes with
// their key filters), printing the picture and saving it to a file, and the cursor
// readout. The windows differ in their frame, their points and what their range panel
// holds.
class GraphWindowModel : public CommandWindow<GraphCommand> {
    Q_OBJECT

public:
    // A text box of the range panel, in the order Enter walks them.
    struct RangeBox {
        QString name;
        RangeEntry::Kind kind;
    };
    // What tells the two graph windows apart, besides their points.
    struct Design {
        QLatin1StringView name;
        QString caption;
        QString panelsTitle; // the toolbar's tooltips: "Graphic Function", "Plot Range"
        int leftMargin = PlotGeometry::RealTimeMargin;
        GraphFrame::PlotArea plotArea = GraphFrame::PlotArea::White;
        QList<RangeBox> rangeBoxes;
    };

    ~GraphWindowModel() override;

    Surface &surface() { return *m_surface; }
    const Surface &surface() const { return *m_surface; }
    const GraphState &state() const { return m_state; }
    QTimer &Timer1() { return m_timer1; }

    // The window got a new client size (also its first showing): the surface takes it,
    // which erases everything, and the frame is drawn anew.
    void resize(const QSize &clientSize);
    // Erases the picture, lays the plot out in the surface's size and draws the frame,
    // hides both panels and restarts the points; Timer1 starts again afterwards.
    void DrawFrame();

    // A toolbar command: a panel shown (or hidden when it was shown; any other command hides
    // both), the picture printed or saved.
    void run(GraphCommand command);

    bool functionPanelVisible() const { return m_functionVisible; }
    bool rangePanelVisible() const { return m_rangeVisible; }
    // The check box of a channel's switch: CKT1, CKT2, CKT1T2.
    static QLatin1StringView checkBoxOf(Channel channel);
    // The check boxes as the user leaves them.
    bool isChecked(const QString &checkBox) const { return m_checked.value(checkBox); }
    void setChecked(const QString &checkBox, bool checked);
    const QList<RangeBox> &rangeBoxes() const { return m_rangeBoxes; }
    // The range panel's text boxes as the user leaves them.
    QString rangeText(const QString &box) const { return m_rangeTexts.value(box); }
    void setRangeText(const QString &box, const QString &text);
    // The key filter of a range box: whether the typed character goes into the box. Enter
    // moves the focus to the next box, or from the last one confirms the panel.
    bool keyTyped(const QString &box, QChar typed);

    // The buttons of the panels.
    virtual void functionOk() = 0;
    void functionCancel();
    virtual void rangeOk() = 0;
    void rangeCancel();

    // The cursor readout where the pointer is, when it is over the plot area and a curve
    // has been drawn there; nothing otherwise. Reads what the window keeps, draws nothing.
    virtual std::optional<Readout> readoutAt(const QPointF &point) const = 0;

    // Draws the whole picture afresh onto another surface of the picture's size, by the
    // same drawing code as the window's own: what "Save Image" writes.
    virtual void drawPicture(Surface &target) = 0;

    // The file types "Save Image" offers, in the form of Dialogs' filters.
    static const QString ImageFilter;

    // Hidden only while the picture is printed.
    bool toolbarVisible() const { return m_toolbarVisible; }

signals:
    void panelsChanged();
    void focusRequested(const QString &box);
    void toolbarVisibleChanged();

protected:
    // The graph of readings in a unit and a thermocouple type, which set the range's limits;
    // the range starts at them.
    GraphWindowModel(const Design &design, Platform &platform, TimerGate &panelTimers,
                     const QString &unit, const QString &type, QObject *parent);

    GraphState &writableState() { return m_state; }
    Platform &platform() { return m_platform; }
    // The unit the graph was opened in, as its legend shows it.
    QString unit() const { return m_unit; }

    // Within DrawFrame: the plot is laid out, the frame not drawn yet (the file plot's XStep).
    virtual void frameLaidOut() {}
    // Within DrawFrame: the frame is drawn and the points restart, Timer1 not started yet.
    virtual void frameDrawn() {}
    // Draws the frame onto a surface, as DrawFrame does.
    void drawFrame(Surface &out) const;

    // Fills the range boxes from the state when the range panel opens.
    virtual void fillRangeTexts() = 0;
    // Draws what a running pass still holds back, before the picture is printed.
    virtual void completeDrawing() {}

    void hidePanels();
    void hideFunctionPanel();
    void hideRangePanel();
    // A range message: critical icon, OK, the program's title.
    void showRangeMessage(const QString &text);
    // Takes TxtMax and TxtMin into YMax and YMin when both are numbers within the limits and
    // Max lies above Min (compared as stored: one float apart is no range); otherwise shows
    // the range message and stores nothing.
    bool acceptValueRange();
    // The check boxes' values as switches, 1 ticked and 0 clear.
    int checkedSwitch(Channel channel) const;

private:
    void print();
    void saveImage();
    void showToolbar(bool visible);

    Platform &m_platform;
    TimerGate &m_panelTimers;
    int m_leftMargin;
    GraphFrame::PlotArea m_plotArea;
    QString m_unit;
    std::unique_ptr<Surface> m_surface;
    GraphState m_state;
    QTimer m_timer1;
    bool m_functionVisible = false;
    bool m_rangeVisible = false;
    bool m_toolbarVisible = true;
    QHash<QString, bool> m_checked;
    QList<RangeBox> m_rangeBoxes;
    QHash<QString, QString> m_rangeTexts;
};
