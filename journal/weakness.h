#pragma once

#include "journal/journalentry.h"

#include <QList>
#include <QString>
#include <functional>

class QDateTime;

// How weak each character is for this learner, from the tallies of their recent runs of every
// kind: misses and slowness together, each against the learner's own typical keystroke.
//
//   P = Σ wrong / Σ (due + wrong)          the learner's miss rate
//   T = Σ time / Σ timed                   the learner's mean time from one right key to the next
//   p = (wrong + k·P) / (due + wrong + k)  the character's miss rate, smoothed
//   s = (time / T + k) / (timed + k)       its time against the learner's mean, smoothed
//   w = s + m·p                            its weakness; a typical key's is 1 + m·P
//
// k = 20: every character starts from twenty keystrokes of the learner's typical behaviour, so
// a few keystrokes move it only a little and a key seen once cannot top the list by a slip.
// m = 10: a 10 % miss rate weighs as much as taking twice as long. A character is weak when its
// w is at least 10 % above the typical key's; one never seen is never weak.
namespace weakness {

inline constexpr int recentDays = 30;
inline constexpr int leastRuns = 50; // taken however old, when fewer days were practised
inline constexpr int mostRuns = 300; // the rest says little about the learner now
inline constexpr int fewestRuns = 3; // fewer say too little to choose keys by
inline constexpr double prior = 20;
inline constexpr double missWeight = 10;
inline constexpr double weakAbove = 1.1;

// The runs to judge by, from the newest ones (newest first): those of the last recentDays
// days, but at least the leastRuns newest and at most the mostRuns newest.
QList<qint64> recentRuns(const QList<RunPoint>& newest, const QDateTime& now);

struct Weakness {
    QChar character;
    double score = 0.0; // w
};

// Every character seen, weakest first (ties in character order); `typical` gets the typical
// key's w.
QList<Weakness> rank(const QList<CharTally>& tallies, double* typical = nullptr);

// The weak characters that `usable` takes, weakest first, at most `count` of them.
QString weakest(const QList<CharTally>& tallies, int count,
                const std::function<bool(QChar)>& usable);

} // namespace weakness
