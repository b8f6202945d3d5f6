#pragma once

#include "graphs/graph_state.h"
#include "graphs/range_entry.h"
#include "graphs/readout.h"
#include "windowing/window_model.h"

#include <QHash>
#include <QSize>
#include <QTimer>

#include <memory>
#include <optional>

class Surface;
class TimerGate;
struct Platform;

// What the real-time graph and the file plot share: the drawing surface and the graph
// state, the timer Timer1, the toolbar ("Function", "Range", "Print", "Save Image"), the
// settings panels PFunction (check boxes CKT1, CKT2, CKT1T2) and PRange (text boxes with
// their key filters), printing the picture and saving it to a file, and the cursor
// readout. The windows differ in their frame, their points and what their range panel
// holds.
class GraphWindowModel : public WindowModel {
    Q_OBJECT

public:
    // A text box of the range panel, in the order Enter walks them.
    struct RangeBox {
        QString name;
        RangeEntry::Kind kind;
    };

    ~GraphWindowModel() override;

    Surface &surface() { return *m_surface; }
    const Surface &surface() const { return *m_surface; }
    const GraphState &state() const { return m_state; }
    QTimer &Timer1() { return m_timer1; }

    // The window got a new client size (also its first showing): the surface takes it,
    // which erases everything, and the frame is drawn anew.
    void resize(const QSize &clientSize);
    // Erases the picture, draws the frame, hides both panels and restarts the points.
    virtual void DrawFrame() = 0;

    void onToolbarButton(const QString &key);

    bool functionPanelVisible() const { return m_functionVisible; }
    bool rangePanelVisible() const { return m_rangeVisible; }
    // The check boxes "CKT1", "CKT2", "CKT1T2" as the user leaves them.
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

    // The limits of the range entry for a unit ("°C", "°F") and a thermocouple type:
    // °F -310 to 1400 (J) or 2431, °C -190 to 760 (J) or 1333. Any other unit counts as °C.
    static std::pair<int, int> rangeLimits(const QString &unit, const QString &type);

signals:
    void panelsChanged();
    void focusRequested(const QString &box);
    void toolbarVisibleChanged();

protected:
    GraphWindowModel(const QString &name, const QString &caption, QList<ToolButton> toolbar,
                     Platform &platform, TimerGate &panelTimers, QList<RangeBox> rangeBoxes,
                     QObject *parent);

    GraphState &writableState() { return m_state; }
    Platform &platform() { return m_platform; }

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

    static QString checkBoxOf(Channel channel);

private:
    void print();
    void saveImage();
    void showToolbar(bool visible);

    Platform &m_platform;
    TimerGate &m_panelTimers;
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
