// SPDX-FileCopyrightText: 2026 ThermoDesk developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logger/logger_set.h"

#include "link/live_values.h"
#include "link/meter.h"
#include "records/record_heading.h"

namespace {

constexpr int StatusAOffset = 6;
constexpr int RecordCountOffset = 10;

} // namespace

int LoggerSet::claimedRecords() const {
    if (SetData.size() < HeaderLength)
        return 0;
    return quint8(SetData[RecordCountOffset]) * 256 + quint8(SetData[RecordCountOffset + 1]);
}

quint8 LoggerSet::statusA() const {
    return SetData.size() > StatusAOffset ? quint8(SetData[StatusAOffset]) : 0;
}

QString LoggerSet::heading() const {
    // Decoded apart from the live values: those belong to the panel's frames, and a listing
    // that changed them would look like a unit change of the meter to the sampling.
    LiveValues set;
    Meter::DecodeStatusA(statusA(), set);
    return RecordHeading{set.TypeText, set.UnitText}.text();
}

RecordClock LoggerSet::clock() const {
    return RecordClock(QByteArrayView(SetData).first(
                           std::min<qsizetype>(SetData.size(), RecordClock::StartLength)),
                       SetSampling);
}

RecordRow LoggerSet::record(int k, const RecordClock &clock) const {
    const qsizetype at = HeaderLength + qsizetype(k - 1) * RecordLength;
    if (k < 1 || k > SetRecords || at + RecordLength > SetData.size())
        return {QString::number(k), clock.text(k), {}, {}, {}};
    const auto byte = [this, at](int i) { return quint8(SetData[at + i]); };
    QString t1 = Meter::ReadingText(byte(0), byte(1));
    QString t2 = Meter::ReadingText(byte(2), byte(3));
    QString diff = Meter::DifferenceText(t1, t2, -1);
    return {QString::number(k), clock.text(k), std::move(t1), std::move(t2), std::move(diff)};
}
