#pragma once

#include <QString>
#include <QtGlobal>

// The figures of one finished run, as the results window shows them.
struct Score {
    float taketime = 0.0f; // seconds the run took, kept by the main window
    float seconds = 0.0f;  // taketime to hundredths: the time the figures use
    qint16 miss = 0;       // miss rate, percent
    qint16 speed = 0;      // characters per minute
    qint16 points = 0;

    QString timeText;  // "60.5秒"
    QString missText;  // "12％"
    QString speedText; // "100文字/分"
    QString pointText; // "-50点"
};

namespace scoring {

inline constexpr double secondsPerDay = 86400.0;
inline constexpr int missWeight = 7; // points lost per percent of misses

// Seconds between two readings of the clock; a run that crosses midnight still counts forward.
float takeTime(float start, float finish);

// To hundredths, halves to even; never zero, so the speed stays finite.
float shownSeconds(float taketime);

// Percent of inputs that were misses, halves to even; no inputs means no misses.
qint16 missRate(qint16 misscnt, qint16 inputcnt);

// Characters per minute over the shown seconds, halves to even, held to 16 bits.
qint16 speed(qint16 mojicnt, float seconds);

qint16 points(qint16 speed, qint16 miss);

// Up to seven significant digits, no trailing zeros, never an exponent.
QString secondsText(float seconds);

Score score(float start, float finish, qint16 mojicnt, qint16 misscnt, qint16 inputcnt);

} // namespace scoring
