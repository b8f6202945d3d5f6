// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/panel.h"

#include "panel/panel_model.h"
#include "ui/about_box.h"
#include "ui/pressable_label.h"
#include "ui/window_toolbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

static void initImages() {
    Q_INIT_RESOURCE(images);
}

namespace {

const QColor DigitColour(0, 0, 255);
const QColor DisplayBackground(0xd9, 0xe2, 0xc8);
const QColor AlarmColour(220, 0, 0);
// Whether a label shows its reading in the alarm colour now, and its colour otherwise.
const char *const AlarmProperty = "alarm";
const char *const ColourProperty = "normalColour";

QFont displayFont(double pointSize) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

Panel::Panel(PanelModel &model, QWidget *parent)
    : QMainWindow(parent)
    , m_model(model) {
    initImages();
    setObjectName(model.name());
    m_toolbar = addWindowToolbar(*this, m_model);
    setCentralWidget(buildDisplay());

    auto *about = new QAction(QStringLiteral("About ThermoDesk"), this);
    about->setObjectName(QStringLiteral("About"));
    about->setShortcut(QKeySequence(Qt::Key_F1));
    about->setShortcutContext(Qt::ApplicationShortcut);
    connect(about, &QAction::triggered, this, &Panel::showAbout);
    addAction(about);

    connect(&m_model, &PanelModel::displayChanged, this, &Panel::refresh);
    connect(&m_model, &PanelModel::captionChanged, this, &Panel::refresh);
    refresh();
    move(0, 0);
}

QWidget *Panel::buildDisplay() {
    auto *display = new QWidget(this);
    display->setObjectName(QStringLiteral("Display"));
    display->setAccessibleName(QStringLiteral("Meter display"));
    display->setAutoFillBackground(true);
    QPalette palette = display->palette();
    palette.setColor(QPalette::Window, DisplayBackground);
    palette.setColor(QPalette::WindowText, Qt::black);
    display->setPalette(palette);

    // Top row: the clock with its symbol, the statistics indicators.
    auto *top = new QHBoxLayout;
    top->addWidget(image("ImaClock", ":/images/clock.svg", QStringLiteral("Clock indicator")));
    top->addWidget(label("LblTime", 24, QStringLiteral("Meter clock"), true));
    top->addStretch(1);
    for (const char *name : {"LblMax", "LblMin", "LblAvg", "LblM"})
        top->addWidget(label(name, 12, QStringLiteral("Statistics indicator")));

    // The main reading with its channel marks and unit, above the small reading with its own.
    auto *marks = new QHBoxLayout;
    marks->setSpacing(2);
    for (const char *name : {"LblUpT1", "LblDash", "LblUpT2"})
        marks->addWidget(label(name, 12, QStringLiteral("Channel of the main reading")));
    marks->addStretch(1);

    auto *readings = new QGridLayout;
    readings->setHorizontalSpacing(8);
    readings->addLayout(marks, 0, 0, Qt::AlignTop);
    QLabel *main = label("LblMain", 48, QStringLiteral("Main reading"), true);
    main->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    main->setMinimumWidth(QFontMetrics(main->font()).horizontalAdvance(QStringLiteral("-1638.3")));
    readings->addWidget(main, 0, 1);
    readings->addWidget(image("ImaUpC", ":/images/unit_up_c.svg", QStringLiteral("\u00B0C")), 0, 2,
                        Qt::AlignTop);
    readings->addWidget(image("ImaUpF", ":/images/unit_up_f.svg", QStringLiteral("\u00B0F")), 0, 2,
                        Qt::AlignTop);

    for (const char *name : {"LblDownT1", "LblDownT2"})
        readings->addWidget(label(name, 12, QStringLiteral("Channel of the small reading")), 1, 0,
                            Qt::AlignLeft | Qt::AlignVCenter);
    QLabel *small = label("LblSmall", 27.75, QStringLiteral("Small reading"), true);
    small->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readings->addWidget(small, 1, 1);
    readings->addWidget(image("ImaDownC", ":/images/unit_down_c.svg", QStringLiteral("\u00B0C")), 1,
                        2);
    readings->addWidget(image("ImaDownF", ":/images/unit_down_f.svg", QStringLiteral("\u00B0F")), 1,
                        2);
    readings->setColumnStretch(1, 1);

    // Bottom row: the thermocouple type and the remaining indicators.
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(label("LblType", 12, QStringLiteral("Thermocouple type")));
    bottom->addStretch(1);
    for (const char *name : {"LblH", "LblRec"})
        bottom->addWidget(label(name, 12, QStringLiteral("Indicator")));
    bottom->addWidget(image("ImaRel", ":/images/rel.svg", QStringLiteral("REL indicator")));
    bottom->addWidget(image("ImaBt", ":/images/battery.svg", QStringLiteral("Battery indicator")));

    auto *lcd = new QVBoxLayout;
    lcd->addLayout(top);
    lcd->addLayout(readings);
    lcd->addLayout(bottom);

    // The port and the recording state, below the meter's display. The port label toggles
    // the caption when pressed, by the mouse, the keyboard or assistive technology.
    auto *status = new QHBoxLayout;
    auto *com = new PressableLabel(this);
    styleLabel(com, "LblCOM", 21.75,
               QStringLiteral("Port of the meter; press to toggle the caption"));
    connect(com, &PressableLabel::pressed, &m_model, &PanelModel::clickLblCOM);
    status->addWidget(com);
    status->addStretch(1);
    QLabel *recording = label("LblRecording", 12, QStringLiteral("Recording state"));
    recording->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
    status->addWidget(recording);
    status->addWidget(label("LblCount", 12, QStringLiteral("Records written")));

    auto *layout = new QVBoxLayout(display);
    m_displayLayout = layout;
    layout->addLayout(lcd);
    layout->addLayout(status);
    auto *fileName = new QLabel(this); // the recording's file, in the window's own font
    fileName->setObjectName(QStringLiteral("LblFileName"));
    fileName->setAccessibleDescription(QStringLiteral("File being recorded"));
    fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(fileName);
    // The alarms' text; a press acknowledges them (the sound stops).
    auto *alarm = new PressableLabel(this);
    styleLabel(alarm, "LblAlarm", 12, QStringLiteral("Alarms; press to acknowledge"));
    alarm->setAccessibleName(QStringLiteral("Alarms"));
    connect(alarm, &PressableLabel::pressed, &m_model, &PanelModel::clickLblAlarm);
    layout->addWidget(alarm);
    return display;
}

void Panel::addStatusLine(QWidget *line) {
    m_displayLayout->addWidget(line);
}

QLabel *Panel::label(const char *name, double pointSize, const QString &meaning, bool blueDigits) {
    auto *l = new QLabel(this);
    styleLabel(l, name, pointSize, meaning, blueDigits);
    return l;
}

void Panel::styleLabel(QLabel *l, const char *name, double pointSize, const QString &meaning,
                       bool blueDigits) {
    l->setObjectName(QLatin1String(name));
    l->setAccessibleDescription(meaning);
    l->setFont(displayFont(pointSize));
    QPalette palette = l->palette();
    if (blueDigits) {
        palette.setColor(QPalette::WindowText, DigitColour);
        l->setPalette(palette);
    }
    l->setProperty(ColourProperty, palette.color(QPalette::WindowText));
    // Indicators come and go with every frame; the display must not jump around.
    QSizePolicy policy = l->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    l->setSizePolicy(policy);
}

QLabel *Panel::image(const char *name, const char *resource, const QString &meaning) {
    auto *l = new QLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleName(meaning);
    l->setFixedSize(32, 32);
    l->setPixmap(QIcon(QLatin1String(resource)).pixmap(32, 32));
    QSizePolicy policy = l->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    l->setSizePolicy(policy);
    return l;
}

void Panel::refresh() {
    const PanelDisplay &display = m_model.display();
    for (const auto &entry : PanelDisplay::entries()) {
        auto *widget = findChild<QLabel *>(QLatin1String(entry.name));
        if (!widget)
            continue;
        const DisplayElement &element = display.*entry.element;
        if (widget->pixmap().isNull() && widget->text() != element.text)
            widget->setText(element.text);
        widget->setVisible(element.visible);
        if (element.alarm != widget->property(AlarmProperty).toBool()) {
            widget->setProperty(AlarmProperty, element.alarm);
            QPalette palette = widget->palette();
            palette.setColor(QPalette::WindowText,
                             element.alarm ? AlarmColour
                                           : widget->property(ColourProperty).value<QColor>());
            widget->setPalette(palette);
        }
    }
    setWindowTitle(m_model.caption());
    m_model.captionShown();
}

void Panel::showAbout() {
    if (!m_about) {
        m_about = new AboutBox(this);
        m_about->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void Panel::closeEvent(QCloseEvent *event) {
    m_model.requestClose();
    event->accept();
}
