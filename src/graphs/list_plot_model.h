#pragma once

#include "graphs/graph_window_model.h"
#include "graphs/plot_pass.h"

#include <QPointer>

class RecordListModel;

// The file plot "Plot": the records of the opened file in FileList, read from its table
// (never copied), as the curves of T1, T2 and T1-T2 over a chosen span of record numbers.
// Every new frame is followed a second later by a drawing pass over the whole span, which
// lets events run between records and counts them in the caption. The unit and type were
// captured by "Plot" from the list's heading.
class ListPlotModel : public GraphWindowModel {
    Q_OBJECT

public:
    static const QString Name;
    // Room right of the plot for the last time label, half of which lies past the edge.
    static constexpr QSize DesignSize{612, 400};

    // The list must hold at least one record.
    ListPlotModel(Platform &platform, TimerGate &panelTimers, RecordListModel &fileList,
                  const QString &plotUnit, const QString &plotType, QObject *parent = nullptr);

    QString PlotUnit() const { return m_plotUnit; }
    QString PlotType() const { return m_plotType; }
    int FromNo() const { return m_fromNo; }
    int ToNo() const { return m_toNo; }
    int RecordSpan() const { return m_recordSpan; }

    // The frame, then a pass one second later. A pass still running ends at its next
    // record; the new frame gets its own complete pass.
    void DrawFrame() override;
    // One tick of Timer1: draws every record of the span.
    void DrawPass();
    bool passRunning() const { return m_pass != nullptr; }

    // Switches as ticked, then a new frame.
    void functionOk() override;
    // Max and Min, then From and To, checked against their limits, then a new frame.
    void rangeOk() override;

    // Whether the k-th record of a pass over n + 1 records gets a progress mark: the first,
    // the last, and the one at or just below n/4 and n/2 and at or just above 3n/4.
    static bool isProgressMark(qint64 k, qint64 n);

    // Every segment instead of the column extents, to compare the two pictures.
    void setDrawing(PlotPass::Drawing drawing) { m_drawing = drawing; }

protected:
    void fillRangeTexts() override;
    void completeDrawing() override;

private:
    bool stillDrawing(quint64 frame) const;
    void drawProgressMark(int record, double x);

    QPointer<RecordListModel> m_fileList;
    QString m_plotUnit;
    QString m_plotType;
    int m_fromNo = 1;
    int m_toNo = 1;
    int m_recordSpan = 0;
    quint64 m_frame = 0;
    PlotPass *m_pass = nullptr;
    PlotPass::Drawing m_drawing = PlotPass::Drawing::ColumnExtents;
};
