#pragma once

#include "app/practicetext.h"

#include <QString>
#include <QStringList>

class RandomSource;

// A weak-key block: five lines that train the characters a learner misses and hesitates on.
namespace weakblock {

inline constexpr int trained = 3;          // characters a block trains, weakest first
inline constexpr double leastShare = 0.25; // their share of a block's characters, at least
inline constexpr int pool = 12;            // a block's file lines are drawn from the densest
inline constexpr int drillWidth = 60;      // characters of a drill line, at most

// Whether a block of the level can train the character: a digit for the numeric level; for
// the others any character a key types but the space, which parts the groups.
bool usable(int level, QChar c);

// The share of the block's characters, spaces included, that are among `keys`.
double share(const PracticeBlock& block, const QString& keys);

// Levels 1-3: five lines of the level's file drawn at random from the `pool` densest in `keys`
// (weakest first), the last line of a longer file left out as a level's block leaves it. Drill
// lines take the place of the sparsest while the keys fall short of leastShare, and of the
// missing when too few lines hold a key: groups of four to six characters, every other one a
// key and the rest from the home row and the characters typed next to that key in the file
// (beside it on the board when the file has none). Level 4: groups of four digits as the
// numeric file writes them, two of each group keys. No line is wider than `width`.
PracticeBlock make(int level, const QStringList& lines, const QString& keys, RandomSource& random,
                   int width);

// The level's file read, when the block draws on it, and the block made.
LoadResult load(int level, const QString& directory, const QString& keys, RandomSource& random,
                int width);

} // namespace weakblock
