#include "ui/clock.h"

#include <QDate>
#include <QTime>

float SystemClock::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

QString SystemClock::today() const
{
    return QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

QDateTime SystemClock::dateTime() const
{
    return QDateTime::currentDateTime();
}
