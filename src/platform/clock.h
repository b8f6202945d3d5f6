#pragma once

#include <QDateTime>

// The PC's wall clock, for time stamps and automatic file names.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};
