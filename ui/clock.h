#pragma once

#include <QDateTime>
#include <QString>

// Time of day and calendar date, as the run and the history need them.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fractions.
    virtual float secondsSinceMidnight() const = 0;
    // Today's date as "yyyy/MM/dd".
    virtual QString today() const = 0;
    // Date and local time of day, with the offset from UTC.
    virtual QDateTime dateTime() const = 0;
    // Milliseconds on a clock that never jumps, for the time between two keys.
    virtual qint64 steadyMs() const = 0;
};

class SystemClock : public Clock {
public:
    float secondsSinceMidnight() const override;
    QString today() const override;
    QDateTime dateTime() const override;
    qint64 steadyMs() const override;
};
