#pragma once

#include <QByteArrayView>
#include <QStringView>

struct GraphState;

// Where a reading text ("25.3", "OL", "-OL", "----") stands on a graph: switched off, over
// or under the range, or at the height of its value.
struct ReadingLevel {
    enum class Kind { Off, Over, Under, Value };

    Kind kind = Kind::Value;
    double value = 0;

    // "----" anywhere switches the channel off; "-" with "L" is under range, "L" over
    // range; anything else counts as its leading number (0 when there is none).
    static ReadingLevel of(QStringView text);
    // The same for a cell's bytes as a record list stores them, without decoding.
    static ReadingLevel of(QByteArrayView text);
    // The leading decimal number of bytes, as Meter::numericValue reads a text.
    static double numericValue(QByteArrayView text);

    // Height above the plot bottom: over range and values above YMax 5 pixels above the
    // plot area, under range and values below YMin 3 pixels below it. Not for Off.
    double heightAboveBottom(const GraphState &state) const;
};
