#include "graphs/reading_level.h"

#include "graphs/graph_state.h"
#include "link/meter.h"

#include <charconv>

ReadingLevel ReadingLevel::of(QStringView text) {
    ReadingLevel level;
    if (text.contains(QLatin1StringView("----")))
        level.kind = Kind::Off;
    else if (text.contains(QLatin1Char('L')))
        level.kind = text.contains(QLatin1Char('-')) ? Kind::Under : Kind::Over;
    else
        level.value = Meter::numericValue(text.toString());
    return level;
}

ReadingLevel ReadingLevel::of(QByteArrayView text) {
    // One look at each byte: a pass reads three cells per record.
    bool dash = false;
    bool L = false;
    int dashRun = 0;
    for (const char c : text) {
        dashRun = c == '-' ? dashRun + 1 : 0;
        if (dashRun == 4)
            return {Kind::Off, 0};
        dash = dash || c == '-';
        L = L || c == 'L';
    }
    if (L)
        return {dash ? Kind::Under : Kind::Over, 0};
    return {Kind::Value, numericValue(text)};
}

double ReadingLevel::numericValue(QByteArrayView text) {
    const char *begin = text.data();
    const char *end = begin + text.size();
    const char *p = begin;
    while (p != end && *p == ' ')
        ++p;
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    const char *digitsStart = p;
    bool digits = false;
    bool point = false;
    for (; p != end; ++p) {
        if (*p >= '0' && *p <= '9')
            digits = true;
        else if (*p == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digits)
        return 0.0;
    double value = 0;
    const auto [stop, error] = std::from_chars(digitsStart, p, value, std::chars_format::fixed);
    if (error != std::errc() || stop != p)
        return 0.0; // beyond a double's range, as Meter::numericValue answers it
    return negative ? -value : value;
}

double ReadingLevel::heightAboveBottom(const GraphState &state) const {
    const double over = double(state.PlotHeight) + 5;
    switch (kind) {
    case Kind::Over:
        return over;
    case Kind::Under:
    case Kind::Off:
        return -3;
    case Kind::Value:
        break;
    }
    if (value > state.YMax)
        return over;
    if (value < state.YMin)
        return -3;
    return (value - state.YMin) / (double(state.YMax) - state.YMin) * state.PlotHeight;
}
