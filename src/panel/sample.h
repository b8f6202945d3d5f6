// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// One sample of the meter's live readings, taken by the sampling timer: the reading texts
// with the PC's time stamp and the type and unit they were read in.
struct Sample {
    QString stamp; // "yyyy/MM/dd HH:mm:ss"
    QString T1Text;
    QString T2Text;
    QString DiffText;
    QString TypeText;
    QString UnitText;
};

// What takes samples: the live list and the recording. Each sample goes to them in a fixed
// order; one that ends the sampling tick (the unit changed) returns false, and the sinks
// after it get nothing until the next tick samples again.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    virtual bool takeSample(const Sample &sample) = 0;
};
