// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel/panel_model.h"

#include "link/meter.h"
#include "link/port_choice.h"
#include "link/rs232.h"
#include "platform/event_pump.h"
#include "platform/platform.h"
#include "platform/serial_link.h"

#include <QDir>
#include <QScopedValueRollback>

const QString PanelModel::Caption = QStringLiteral("Panel  V8.00");

namespace {

const QString CaptionSuffix = QStringLiteral("   120924");
// The "Save" button's look while idle; recording, it stops the recording.
const QString SaveTooltip = QStringLiteral("Save As");
const QString SavePicture = QStringLiteral("save");
constexpr int MaxShortReads = 20;

} // namespace

PanelModel::PanelModel(Platform &platform, QObject *parent)
    : CommandWindow(Name, Caption,
                    {button(PanelCommand::Save, ToolKeys::Save, SaveTooltip, SavePicture),
                     button(PanelCommand::Open, ToolKeys::Open, QStringLiteral("Open File to Read"),
                            QStringLiteral("open")),
                     button(PanelCommand::Sample, ToolKeys::Sample, QStringLiteral("Sampling Rate"),
                            QStringLiteral("sample")),
                     button(PanelCommand::List, ToolKeys::List, QStringLiteral("List Display"),
                            QStringLiteral("list")),
                     button(PanelCommand::Graph, ToolKeys::Graph, QStringLiteral("Graphic Display"),
                            QStringLiteral("graph"))},
                    parent)
    , m_platform(platform)
    , m_timers({&m_timer1, &m_timer2}, platform.pump()) {
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer1.setInterval(FrameInterval);
    m_timer2.setInterval(SamplingInterval);
    connect(&m_timer1, &QTimer::timeout, this, &PanelModel::frameTick);
    connect(&m_timer2, &QTimer::timeout, this, &PanelModel::onSamplingTimer);
}

bool PanelModel::load(int portNumber) {
    SerialLink &port = m_platform.serial();
    m_portNumber = portNumber;
    if (!port.isOpen() && !port.open(portNumber))
        return false;
    showPortName();
    m_live.status.ShowAvg = false;
    startTimers();
    return true;
}

void PanelModel::clickLblCOM() {
    setCaption(caption() == Caption ? Caption + CaptionSuffix : Caption);
}

void PanelModel::frameTick() {
    if (m_frameTickRunning)
        return;
    m_frameTickRunning = true;
    m_missCount = 0;
    readAfterDelay();
}

void PanelModel::readAfterDelay() {
    // The 0.2 s between reads runs from the event loop rather than in a loop nested here:
    // a dialog opened by a click meanwhile then runs from the top, and the reads (and the
    // samples they feed) go on while it is open instead of waiting for it to close.
    m_platform.pump().after(0.2, this, [this] { readOnce(); });
}

void PanelModel::readOnce() {
    const QByteArray read = m_platform.serial().readAll();
    switch (Meter::classifyRead(read)) {
    case Meter::ReadKind::Short:
        if (++m_missCount > MaxShortReads) {
            m_frameTickRunning = false;
            waitForMeter();
            return;
        }
        readAfterDelay();
        return;
    case Meter::ReadKind::Noise:
        readAfterDelay();
        return;
    case Meter::ReadKind::DumpMarker:
        // The dump is received within this tick: no other frame is read meanwhile.
        emit dumpMarker();
        m_frameTickRunning = false;
        return;
    case Meter::ReadKind::LiveFrame:
        m_frameTickRunning = false;
        showFrame(read.first(Meter::FrameLength));
        return;
    }
}

void PanelModel::showFrame(const QByteArray &frame) {
    const auto byte = [&frame](int position) { return quint8(frame.at(position - 1)); };
    const MeterStatus &s = m_live.status;
    PanelDisplay &d = m_display;

    d.LblTime.text = Meter::ClockText(byte(2), byte(3));

    Meter::DecodeStatusA(byte(4), m_live);
    d.ImaClock.visible = s.ShowClock;
    d.ImaRel.visible = s.ShowRel;
    d.ImaBt.visible = s.ShowBt;
    d.LblH.visible = s.ShowH;
    d.LblRec.visible = s.ShowRec;
    d.ImaUpF.visible = d.ImaDownF.visible = s.Fahrenheit;
    d.ImaUpC.visible = d.ImaDownC.visible = !s.Fahrenheit;
    d.LblType.text = m_live.TypeText;

    Meter::DecodeStatusB(byte(5), m_live);
    d.LblAvg.visible = s.ShowAvg;
    d.LblMin.visible = s.ShowMin;
    d.LblMax.visible = s.ShowMax;
    d.LblM.visible = s.ShowM;

    const QString mainText = Meter::ReadingText(byte(6), byte(7));
    const QString smallText = Meter::ReadingText(byte(8), byte(9));
    if (s.MainShowsDiff) {
        d.LblUpT1.visible = d.LblDash.visible = d.LblUpT2.visible = true;
        d.LblDownT1.visible = !s.SmallShowsT2;
        d.LblDownT2.visible = s.SmallShowsT2;
        m_live.DiffText = mainText;
        if (s.SmallShowsT2) {
            m_live.T2Text = smallText;
            m_live.T1Text = Meter::DifferenceText(m_live.T2Text, m_live.DiffText, +1);
        } else {
            m_live.T1Text = smallText;
            m_live.T2Text = Meter::DifferenceText(m_live.T1Text, m_live.DiffText, -1);
        }
    } else {
        d.LblDash.visible = false;
        d.LblUpT1.visible = d.LblDownT2.visible = !s.MainShowsT2;
        d.LblUpT2.visible = d.LblDownT1.visible = s.MainShowsT2;
        m_live.T1Text = s.MainShowsT2 ? smallText : mainText;
        m_live.T2Text = s.MainShowsT2 ? mainText : smallText;
        m_live.DiffText = Meter::DifferenceText(m_live.T1Text, m_live.T2Text, -1);
    }
    d.LblMain.text = mainText;
    d.LblSmall.text = smallText;
    emit displayChanged();
}

void PanelModel::waitForMeter() {
    stopTimers();
    m_display.LblCOM.text = QStringLiteral("No COM");
    emit displayChanged();
    emit meterSilent();
    RS232::WaitForMeter(m_platform.serial(), m_platform.pump(), this, [this] {
        showPortName();
        startTimers();
        emit meterHeard();
    });
}

void PanelModel::showRecording(bool recording, const QString &fileName) {
    setLook(PanelCommand::Save, recording ? QStringLiteral("stop") : SavePicture,
            recording ? QStringLiteral("Stop Recording") : SaveTooltip);
    m_display.LblRecording.visible = recording;
    m_display.LblCount.text.clear();
    // The file as the system writes its names (C:\...\data.rdg on Windows).
    m_display.LblFileName.text = recording ? QDir::toNativeSeparators(fileName) : QString();
    emit displayChanged();
}

void PanelModel::showRecordCount(int count) {
    m_display.LblCount.text = QString::number(count);
    emit displayChanged();
}

void PanelModel::showMainText(const QString &text) {
    m_display.LblMain.text = text;
    emit displayChanged();
}

void PanelModel::onSamplingTimer() {
    if (m_samplingTickRunning)
        return;
    QScopedValueRollback running(m_samplingTickRunning, true);
    emit samplingTick();
}

void PanelModel::showPortName() {
    m_display.LblCOM.text = PortChoice::portName(m_portNumber);
    emit displayChanged();
}
