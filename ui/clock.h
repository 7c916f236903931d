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
};

class SystemClock : public Clock {
public:
    float secondsSinceMidnight() const override;
    QString today() const override;
    QDateTime dateTime() const override;
};

class SettableClock : public Clock {
public:
    float secondsSinceMidnight() const override { return seconds; }
    QString today() const override { return date; }
    QDateTime dateTime() const override { return when; }

    float seconds = 0.0f;
    QString date = QStringLiteral("2026/12/06");
    QDateTime when{QDate(2026, 12, 6), QTime(15, 4, 5), Qt::OffsetFromUTC, 9 * 3600};
};
