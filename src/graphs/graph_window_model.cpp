// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graphs/graph_window_model.h"

#include "graphs/range_entry.h"
#include "platform/dialogs.h"
#include "platform/image_printer.h"
#include "platform/picture_writer.h"
#include "platform/platform.h"
#include "platform/surface.h"
#include "windowing/timer_gate.h"

#include <QDir>
#include <QPointer>

const QString GraphWindowModel::ImageFilter =
    QStringLiteral("PNG Image (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf|");

GraphWindowModel::GraphWindowModel(const Design &design, Platform &platform, TimerGate &panelTimers,
                                   const QString &unit, const QString &type, QObject *parent)
    : CommandWindow(
          design.name, design.caption,
          {button(GraphCommand::Function, ToolKeys::Function,
                  design.panelsTitle + QStringLiteral(" Function"), QStringLiteral("function")),
           button(GraphCommand::Range, ToolKeys::Range,
                  design.panelsTitle + QStringLiteral(" Range"), QStringLiteral("range")),
           button(GraphCommand::Print, ToolKeys::Print, QStringLiteral("Print"),
                  QStringLiteral("print")),
           button(GraphCommand::SaveImage, ToolKeys::SaveImage, QStringLiteral("Save Image"),
                  QStringLiteral("save_image"))},
          parent)
    , m_platform(platform)
    , m_panelTimers(panelTimers)
    , m_leftMargin(design.leftMargin)
    , m_plotArea(design.plotArea)
    , m_unit(unit)
    , m_surface(platform.makeSurface())
    , m_rangeBoxes(design.rangeBoxes) {
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer1.setInterval(1000);
    m_state.PlotLeft = m_leftMargin;
    const auto [maxLimit, minLimit] = RangeEntry::limits(unit, type);
    m_state.MaxLimit = maxLimit;
    m_state.MinLimit = minLimit;
    m_state.YMax = float(maxLimit);
    m_state.YMin = float(minLimit);
    for (Channel channel : Channels)
        m_checked[checkBoxOf(channel)] = true;
    for (const RangeBox &box : std::as_const(m_rangeBoxes))
        m_rangeTexts[box.name] = QString();
}

GraphWindowModel::~GraphWindowModel() = default;

void GraphWindowModel::resize(const QSize &clientSize) {
    m_surface->resize(clientSize);
    DrawFrame();
}

void GraphWindowModel::DrawFrame() {
    // No point is drawn into a frame half built.
    m_timer1.stop();
    GraphState &s = m_state;
    s.layOut(m_surface->size(), m_leftMargin);
    frameLaidOut();
    hidePanels();
    drawFrame(*m_surface);
    s.PrevX = 0;
    s.PrevY1 = s.PrevY2 = s.PrevYDiff = 0;
    s.XPos = -s.XStep; // the next point lands at offset 0
    frameDrawn();
    m_timer1.start();
}

void GraphWindowModel::drawFrame(Surface &out) const {
    GraphFrame::draw(out, m_state, m_unit, m_plotArea);
}

void GraphWindowModel::run(GraphCommand command) {
    m_functionVisible = command == GraphCommand::Function && !m_functionVisible;
    m_rangeVisible = command == GraphCommand::Range && !m_rangeVisible;
    if (m_functionVisible) {
        for (Channel channel : Channels)
            m_checked[checkBoxOf(channel)] = m_state.show(channel) != 0;
    }
    if (m_rangeVisible)
        fillRangeTexts();
    emit panelsChanged();
    switch (command) {
    case GraphCommand::Function:
    case GraphCommand::Range:
        return;
    case GraphCommand::Print:
        print();
        return;
    case GraphCommand::SaveImage:
        saveImage();
        return;
    }
}

void GraphWindowModel::setChecked(const QString &checkBox, bool checked) {
    if (m_checked.contains(checkBox))
        m_checked[checkBox] = checked;
}

void GraphWindowModel::setRangeText(const QString &box, const QString &text) {
    if (m_rangeTexts.contains(box))
        m_rangeTexts[box] = text;
}

bool GraphWindowModel::keyTyped(const QString &box, QChar typed) {
    for (qsizetype i = 0; i < m_rangeBoxes.size(); ++i) {
        if (m_rangeBoxes[i].name != box)
            continue;
        if (typed != RangeEntry::Enter)
            return RangeEntry::keeps(m_rangeBoxes[i].kind, typed);
        if (i + 1 < m_rangeBoxes.size())
            emit focusRequested(m_rangeBoxes[i + 1].name);
        else
            rangeOk();
        return false;
    }
    return true;
}

void GraphWindowModel::functionCancel() {
    hideFunctionPanel();
}

void GraphWindowModel::rangeCancel() {
    hideRangePanel();
}

void GraphWindowModel::hidePanels() {
    if (!m_functionVisible && !m_rangeVisible)
        return;
    m_functionVisible = false;
    m_rangeVisible = false;
    emit panelsChanged();
}

void GraphWindowModel::hideFunctionPanel() {
    if (!m_functionVisible)
        return;
    m_functionVisible = false;
    emit panelsChanged();
}

void GraphWindowModel::hideRangePanel() {
    if (!m_rangeVisible)
        return;
    m_rangeVisible = false;
    emit panelsChanged();
}

void GraphWindowModel::showRangeMessage(const QString &text) {
    m_platform.dialogs().message(text, Dialogs::Icon::Critical);
}

bool GraphWindowModel::acceptValueRange() {
    const std::optional<double> max =
        RangeEntry::value(rangeText(GraphControls::TxtMax), RangeEntry::Kind::Decimal);
    const std::optional<double> min =
        RangeEntry::value(rangeText(GraphControls::TxtMin), RangeEntry::Kind::Decimal);
    GraphState &s = m_state;
    if (!max || !min || float(*max) > s.MaxLimit || float(*min) < s.MinLimit ||
        float(*max) <= float(*min)) {
        showRangeMessage(
            QStringLiteral("%1 <= Value <= %2, try again!").arg(s.MinLimit).arg(s.MaxLimit));
        return false;
    }
    s.YMax = float(*max);
    s.YMin = float(*min);
    return true;
}

int GraphWindowModel::checkedSwitch(Channel channel) const {
    return isChecked(checkBoxOf(channel)) ? 1 : 0;
}

QLatin1StringView GraphWindowModel::checkBoxOf(Channel channel) {
    switch (channel) {
    case Channel::T1:
        return GraphControls::CKT1;
    case Channel::T2:
        return GraphControls::CKT2;
    case Channel::Diff:
        break;
    }
    return GraphControls::CKT1T2;
}

void GraphWindowModel::print() {
    std::unique_ptr<ImagePrinter> printer = m_platform.makeImagePrinter();
    // The chooser lets events run: the window may be gone when it returns.
    const QPointer<GraphWindowModel> self(this);
    if (!printer->choosePrinter() || !self || !isOpen())
        return;
    TimerGate::Hold timersStopped(m_panelTimers);
    showToolbar(false);
    completeDrawing();
    printer->printImage(*m_surface); // a failure ends the command silently
    showToolbar(true);
}

void GraphWindowModel::saveImage() {
    // The dialog lets events run: the window may be gone when it returns.
    const QPointer<GraphWindowModel> self(this);
    const QString path = m_platform.dialogs().saveFileAs(ImageFilter, QStringLiteral("png"));
    if (path.isEmpty() || !self || !isOpen())
        return;
    std::unique_ptr<PictureWriter> writer = m_platform.makePictureWriter();
    bool written = false;
    {
        // A picture of millions of records is drawn in one go, as a print is.
        TimerGate::Hold timersStopped(m_panelTimers);
        written = writer->write(path, m_surface->size(),
                                [this](Surface &target) { drawPicture(target); });
    }
    if (!written) {
        m_platform.dialogs().message(
            QStringLiteral("The picture could not be saved to \"%1\":\n%2")
                .arg(QDir::toNativeSeparators(path), writer->errorString()),
            Dialogs::Icon::Critical);
    }
}

void GraphWindowModel::showToolbar(bool visible) {
    if (m_toolbarVisible == visible)
        return;
    m_toolbarVisible = visible;
    emit toolbarVisibleChanged();
}
