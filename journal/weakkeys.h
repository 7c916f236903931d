#pragma once

#include "keyboard/keytable.h"
#include "typing/keytally.h"

#include <QList>
#include <QString>
#include <array>

// Which keys cost the learner most, from the per-character tallies of recent runs.
namespace weakkeys {

inline constexpr int recentRuns = 20;       // runs of a level the weak keys are taken from
inline constexpr int listed = 5;            // characters named under the keyboard
inline constexpr int fewestKeystrokes = 10; // fewer say too little to name or tint a key
inline constexpr double confidence = 1.96;  // z of a two-sided 95 % interval
inline constexpr double sameWithin = 0.02;  // rates this close have not moved

// Misses per keystroke, as the results window's ミス率: wrong / (due + wrong); none is 0.
double missRate(int due, int wrong);

// The lower end of the rate's 95 % Wilson interval: a rate the counts make hard to doubt.
// One miss in one keystroke ranks below 95 in 571.
double rateFloor(int due, int wrong);

// Whether a character or key was struck often enough to be named or tinted.
bool enough(int due, int wrong);

// The weakest first: by rateFloor, then by more wrong keys, then in character order. Only
// characters struck often enough and missed at least once.
QList<CharTally> weakest(const QList<CharTally>& tallies, int count = listed);

// Whether a character's rate over the newer of the recent runs is lower than over the older:
// Unknown when either struck it too few times to tell.
enum class Trend { Unknown, Better, Same, Worse };
Trend trend(const CharTally& older, const CharTally& newer);

// A key's counts over the characters it types, with and without Shift.
struct KeyCounts {
    int due = 0;
    int wrong = 0;
    bool seen = false; // one of its characters came up
};
std::array<KeyCounts, keyCount> keyCounts(const QList<CharTally>& tallies);

// The tint bands of the keyboard, lowest first: a rate at or above bandFloors[i] and below
// the next is band i; the last band is full red.
inline constexpr std::array<double, 5> bandFloors{0.0, 0.02, 0.05, 0.10, 0.20};
int band(double rate);

// The character as the learner reads it: the space by name.
QString characterName(QChar character);

// "e　17％（95/571）": the rate, then misses over keystrokes, as the list names a character.
QString caption(const CharTally& tally);

} // namespace weakkeys
