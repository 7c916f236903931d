#pragma once

#include "typing/keytally.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <limits>

// The main window's run variables: the judging cursor, the counters and the block.
struct RunState {
    bool flgstart = true;
    float start = 0.0f;
    float finish = 0.0f;
    float taketime = 0.0f;
    qint16 nowcnt = 0;
    qint16 pos = 1;
    qint16 mojicnt = 0;
    qint16 misscnt = 0;
    bool flgresult = false;
    qint16 inputcnt = 0;
    qint16 timecnt = 1;

    std::array<QString, 6> linetext;
    std::array<qint16, 6> linelen{};
    bool flgnotext = false;

    // Per expected character: times due and wrong keys, for the practice journal.
    KeyTally tally;

    // Counts finished runs, so a run is scored once however often its results are shown.
    quint32 finishedRuns = 0;

    // A new run: the clock waits for the first key and every counter starts again.
    void resetForLoad();

    QChar expected() const;
    bool isDone() const { return nowcnt > 4; }
};

// Counters stop at the ends of their 16-bit range instead of wrapping.
inline void increment(qint16& counter)
{
    if (counter < std::numeric_limits<qint16>::max()) ++counter;
}
