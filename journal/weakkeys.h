#pragma once

#include "keyboard/keytable.h"
#include "typing/keytally.h"

#include <QColor>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// Which keys cost the learner most, from the per-character tallies of recent runs.
namespace weakkeys {

inline constexpr int recentRuns = 20; // runs of a level the weak keys are taken from
inline constexpr int listed = 5;      // characters named under the keyboard

// Wrong keys per time due. A space skipped for the learner after a miss was never typed,
// yet it was due that once.
double missRate(int due, int wrong);

// The weakest first: by rate, then by more wrong keys, then in character order. Characters
// never missed are not weak and are left out.
QList<CharTally> weakest(const QList<CharTally>& tallies, int count = listed);

// The rate of every key over the characters it types, with and without Shift; nothing for
// a key none of whose characters came up.
std::array<std::optional<double>, keyCount> keyRates(const QList<CharTally>& tallies);

// White at no misses, deepening to full red at fullRedRate and above.
inline constexpr double fullRedRate = 0.25;
QColor tint(double rate);

// "A　12％（3/25）", as the list under the keyboard shows a character.
QString caption(const CharTally& tally);

} // namespace weakkeys
