#include "ui/clock.h"

#include <QDate>
#include <QTime>
#include <chrono>

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

qint64 SystemClock::steadyMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
