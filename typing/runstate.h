#pragma once

#include "typing/keytally.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <limits>

// Lines in a practice block.
inline constexpr int blockLines = 5;

// A longer gap between two right keys is a rest, not hesitation over the second.
inline constexpr int restMs = 5000;

// The character at 1-based position `pos` of `text`; a null character outside it.
QChar characterAt(const QString& text, int pos);

// Five consecutive lines of a practice file, trailing spaces removed. The slot after the last
// line stays empty, so a cursor past the block finds a blank line there.
struct PracticeBlock {
    std::array<QString, blockLines + 1> linetext;
    std::array<qint16, blockLines + 1> linelen{};
    qint16 mojicnt = 0; // characters to type, lowered by each skipped space
};

// The main window's run variables: the block, the judging cursor and the counters.
struct RunState : PracticeBlock {
    bool flgstart = true;
    float start = 0.0f;
    float finish = 0.0f;
    float taketime = 0.0f;
    qint16 nowcnt = 0; // current line; blockLines once the block is done
    qint16 pos = 1;
    qint16 misscnt = 0;
    bool flgresult = false;
    qint16 inputcnt = 0;
    qint16 timecnt = 1;
    bool flgnotext = false;

    // Per expected character: times due, wrong keys and the time taken, for the practice journal.
    KeyTally tally;
    // When the last right key of this line was pressed, on the view's steady clock; none at the
    // start of a line.
    static constexpr qint64 noKey = -1;
    qint64 lastRightMs = noKey;

    // Counts finished runs, so a run is scored once however often its results are shown.
    quint32 finishedRuns = 0;

    // A new run: the clock waits for the first key and every counter starts again.
    void resetForLoad();

    // The character to type next.
    QChar expected() const { return characterAt(linetext[nowcnt], pos); }
    bool isDone() const { return nowcnt >= blockLines; }
    // Moves the cursor past blank lines; false when the block has none left.
    bool skipBlankLines();
    // A right key at `nowMs`: the time since the line's right key before, or KeyTally::noTime.
    int rightKeyTime(qint64 nowMs);
};

// Counters stop at the ends of their 16-bit range instead of wrapping.
inline void increment(qint16& counter)
{
    if (counter < std::numeric_limits<qint16>::max()) ++counter;
}
