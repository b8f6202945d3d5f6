#include "panel/panel_model.h"

#include "link/meter.h"
#include "link/port_choice.h"
#include "link/rs232.h"
#include "platform/event_pump.h"
#include "platform/serial_link.h"
#include "program/platform.h"
#include "program/program_state.h"

#include <QScopedValueRollback>

const QString PanelModel::Caption = QStringLiteral("Panel  V8.00");

namespace {

const QString CaptionSuffix = QStringLiteral("   120924");
constexpr int MaxShortReads = 20;

} // namespace

PanelModel::PanelModel(ProgramState &state, Platform &platform, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_platform(platform) {
    m_timer1.setInterval(FrameInterval);
    m_timer2.setInterval(SamplingInterval);
    connect(&m_timer1, &QTimer::timeout, this, &PanelModel::frameTick);
    connect(&m_timer2, &QTimer::timeout, this, &PanelModel::samplingTick);
}

bool PanelModel::load() {
    SerialLink &port = *m_platform.serial;
    if (!port.isOpen() && !port.open(m_state.PortNumber))
        return false;
    showPortName();
    m_state.resetFlags();
    startTimers();
    return true;
}

void PanelModel::clickLblCOM() {
    m_caption = m_caption == Caption ? Caption + CaptionSuffix : Caption;
    emit captionChanged();
}

void PanelModel::frameTick() {
    if (m_frameTickRunning)
        return;
    QScopedValueRollback running(m_frameTickRunning, true);

    int MissCount = 0;
    for (;;) {
        RS232::Delay(*m_platform.pump, 0.2);
        if (m_platform.pump->quitting())
            return;
        const QByteArray read = m_platform.serial->readAll();
        switch (Meter::classifyRead(read)) {
        case Meter::ReadKind::Short:
            if (++MissCount > MaxShortReads) {
                waitForMeter();
                return;
            }
            continue;
        case Meter::ReadKind::Noise:
            continue;
        case Meter::ReadKind::DumpMarker:
            if (m_dumpReceiver)
                m_dumpReceiver();
            return;
        case Meter::ReadKind::LiveFrame:
            showFrame(read.first(Meter::FrameLength));
            return;
        }
    }
}

void PanelModel::showFrame(const QByteArray &frame) {
    const auto byte = [&frame](int position) { return quint8(frame.at(position - 1)); };
    const MeterStatus &s = m_state.status;
    PanelDisplay &d = m_display;

    d.LblTime.text = Meter::ClockText(byte(2), byte(3));

    Meter::DecodeStatusA(byte(4), m_state);
    d.ImaClock.visible = s.ShowClock;
    d.ImaRel.visible = s.ShowRel;
    d.ImaBt.visible = s.ShowBt;
    d.LblH.visible = s.ShowH;
    d.LblRec.visible = s.ShowRec;
    d.ImaUpF.visible = d.ImaDownF.visible = s.Fahrenheit;
    d.ImaUpC.visible = d.ImaDownC.visible = !s.Fahrenheit;
    d.LblType.text = m_state.TypeText;

    Meter::DecodeStatusB(byte(5), m_state);
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
        m_state.DiffText = mainText;
        if (s.SmallShowsT2) {
            m_state.T2Text = smallText;
            m_state.T1Text = Meter::DifferenceText(m_state.T2Text, m_state.DiffText, +1);
        } else {
            m_state.T1Text = smallText;
            m_state.T2Text = Meter::DifferenceText(m_state.T1Text, m_state.DiffText, -1);
        }
    } else {
        d.LblDash.visible = false;
        d.LblUpT1.visible = d.LblDownT2.visible = !s.MainShowsT2;
        d.LblUpT2.visible = d.LblDownT1.visible = s.MainShowsT2;
        m_state.T1Text = s.MainShowsT2 ? smallText : mainText;
        m_state.T2Text = s.MainShowsT2 ? mainText : smallText;
        m_state.DiffText = Meter::DifferenceText(m_state.T1Text, m_state.T2Text, -1);
    }
    d.LblMain.text = mainText;
    d.LblSmall.text = smallText;
    emit displayChanged();
}

void PanelModel::waitForMeter() {
    stopTimers();
    m_display.LblCOM.text = QStringLiteral("No COM");
    emit displayChanged();
    if (!RS232::WaitForMeter(*m_platform.serial, *m_platform.pump))
        return; // the program is ending
    showPortName();
    startTimers();
}

void PanelModel::setSaveButton(int image, const QString &tooltip) {
    m_toolbar[0].image = image;
    m_toolbar[0].tooltip = tooltip;
    emit toolbarChanged();
}

void PanelModel::stopTimers() {
    m_timer1.stop();
    m_timer2.stop();
}

void PanelModel::startTimers() {
    if (m_platform.pump->quitting())
        return;
    m_timer1.start();
    m_timer2.start();
}

void PanelModel::samplingTick() {
    if (m_samplingTickRunning || !m_sampler)
        return;
    QScopedValueRollback running(m_samplingTickRunning, true);
    m_sampler();
}

void PanelModel::showPortName() {
    m_display.LblCOM.text = PortChoice::portName(m_state.PortNumber);
    emit displayChanged();
}
