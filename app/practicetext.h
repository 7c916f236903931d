#pragma once

#include "typing/runstate.h"

#include <QString>

class RandomSource;

// What went wrong while loading, for the message the user sees.
enum class LoadProblem { None, FileMissing, TenkeyUnwritable };

struct LoadResult {
    PracticeBlock block;
    LoadProblem problem = LoadProblem::None;
    QString fileName;
};

namespace practicetext {

inline constexpr int tenkeyLineLength = 75;

QString fileNameForLevel(int level);

// Five lines of random digit groups, written whole or not at all.
bool writeTenkey(const QString& path, RandomSource& random);

// Splits a file's bytes into lines, decoding Shift-JIS (CP932) once.
QStringList decodeLines(const QByteArray& bytes);

// Lines ended by CR LF, LF or CR; a last line without an end counts.
QStringList splitLines(const QString& text);

// Whether a file's last line can be drawn into a block.
enum class LastLine { Hidden, Drawn };

// Picks the block: first = floor(r * (N - 5)), so the last line of a level's file longer
// than five lines is never shown (learners' files end with a spare line for it); with the
// last line drawn, first = floor(r * (N - 4)). A file of five lines or fewer is shown whole.
PracticeBlock pickBlock(const QStringList& lines, float r, LastLine last = LastLine::Hidden);

// The lines of a level's file in the given directory; FileMissing in `result` when it cannot
// be read.
QStringList levelLines(int level, const QString& directory, LoadResult& result);

// The whole load for a level, in the given directory.
LoadResult load(int level, const QString& directory, RandomSource& random);

// The message for a failed load.
QString problemText(const LoadResult& result);

} // namespace practicetext
