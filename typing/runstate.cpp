#include "typing/runstate.h"

#include <utility>

QChar characterAt(const QString& text, int pos)
{
    return pos >= 1 && pos <= text.size() ? text.at(pos - 1) : QChar();
}

void RunState::resetForLoad()
{
    flgstart = true;
    nowcnt = 0;
    pos = 1;
    timecnt = 1;
    flgnotext = false;
    misscnt = 0;
    mojicnt = 0;
    inputcnt = 0;
    tally.clear();
    lastRightMs = noKey;
}

int RunState::rightKeyTime(qint64 nowMs)
{
    const qint64 last = std::exchange(lastRightMs, nowMs);
    const qint64 gap = nowMs - last;
    return last != noKey && gap >= 0 && gap <= restMs ? int(gap) : KeyTally::noTime;
}

bool RunState::skipBlankLines()
{
    while (!isDone() && linetext[nowcnt].isEmpty())
        ++nowcnt;
    return !isDone();
}
