// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "graphs/graph_window_model.h"
#include "graphs/plot_pass.h"
#include "graphs/plot_span.h"
#include "graphs/record_axis.h"
#include "graphs/record_pyramid.h"

#include <QPointer>

#include <array>
#include <memory>

class ListWindowModel;
class RecordTable;
class SpanWalk;

// The file plot "Plot": the records of the opened file in FileList, read from its table
// (never copied), as the curves of T1, T2 and T1-T2 over a chosen span of record numbers.
// Every new frame is followed a second later by a drawing pass over the whole span, which
// lets events run between records and counts them in the caption. The unit and type were
// captured by "Plot" from the list's heading. A span dragged across the plot is drawn at
// once, from a pyramid of the records' extents that the first pass builds.
class ListPlotModel : public GraphWindowModel {
    Q_OBJECT

public:
    static constexpr QLatin1StringView Name{"ListPlot"};
    // Room right of the plot for the last time label, half of which lies past the edge.
    static constexpr QSize DesignSize{612, 400};

    // The list must hold at least one record. A pass draws the column extents; one that
    // draws every segment instead draws the same picture, slower (to compare the two).
    ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                  const QString &plotUnit, const QString &plotType,
                  PlotPass::Drawing drawing = PlotPass::Drawing::ColumnExtents,
                  QObject *parent = nullptr);
    // The plot of a whole recording: the records of all its parts in one table, which the
    // plot keeps; it must hold at least one record. The plot still closes with the list.
    ListPlotModel(Platform &platform, TimerGate &panelTimers, ListWindowModel &fileList,
                  std::unique_ptr<RecordTable> run, const QString &plotUnit,
                  const QString &plotType,
                  PlotPass::Drawing drawing = PlotPass::Drawing::ColumnExtents,
                  QObject *parent = nullptr);
    ~ListPlotModel() override;

    QString PlotUnit() const { return unit(); }
    QString PlotType() const { return m_plotType; }
    int FromNo() const { return m_span.FromNo(); }
    int ToNo() const { return m_span.ToNo(); }
    int RecordSpan() const { return m_span.records() - 1; }
    // Whether the plot draws a whole recording rather than FileList's own records.
    bool plotsAllParts() const { return m_run != nullptr; }

    // Every frame is followed by a pass one second later. A pass still running ends at its
    // next record; the new frame gets its own complete pass.

    // One tick of Timer1: draws every record of the span.
    void DrawPass();
    bool passRunning() const { return m_pass != nullptr; }

    // Switches as ticked, then a new frame.
    void functionOk() override;
    // Max and Min, then From and To, checked against their limits, then a new frame.
    void rangeOk() override;

    // A span dragged across the plot between two x positions: the records nearest them
    // become From and To through the checks of Range OK (a span of fewer than two records
    // is refused with its message), the range panel shows them, and the new span is drawn
    // at once instead of a second later.
    void zoomTo(double fromX, double toX);
    // Back to the whole file, the same way.
    void zoomOut();

    // The record nearest the pointer: its number, date and time, and readings.
    std::optional<Readout> readoutAt(const QPointF &point) const override;
    // The frame and the whole span, as a complete pass draws them.
    void drawPicture(Surface &target) override;

    // Whether the pyramid of the records' extents is complete: the first pass over all
    // records builds it as it goes, a zoom before that builds it at once.
    bool pyramidBuilt() const;

protected:
    void frameLaidOut() override;
    void frameDrawn() override;
    void fillRangeTexts() override;
    void completeDrawing() override;

private:
    // Where a span drawn at once ended, as a pass leaves the state.
    struct SpanEnd {
        double offset = 0;
        std::array<int, 3> show{};
        std::array<double, 3> lastY{};
        std::array<bool, 3> drawn{};
    };

    const RecordTable *records() const;
    RecordAxis axis() const { return RecordAxis(state(), FromNo(), ToNo()); }
    bool stillDrawing(quint64 frame) const;
    // A span set by a zoom: refused with Range OK's message, or drawn at once.
    void zoomToSpan(bool accepted);
    // The span drawn as a complete pass would draw it, without letting events run: where
    // many records share a pixel column, only their first, lowest, highest and last point
    // are handed on, which draws the same lines.
    SpanEnd drawSpan(Surface &out, std::array<int, 3> show);
    void buildPyramid();
    double levelOf(Channel channel, int row) const;

    QPointer<ListWindowModel> m_fileList;
    std::unique_ptr<RecordTable> m_run;
    QString m_plotType;
    const PlotPass::Drawing m_drawing;
    PlotSpan m_span;
    quint64 m_frame = 0;
    SpanWalk *m_pass = nullptr;
    // The channel switches as the frame began: a pass switches a channel off at "----".
    std::array<int, 3> m_frameShow{1, 1, 1};
    RecordPyramid m_pyramid;
};
