#include "typing/runstate.h"

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
}

bool RunState::skipBlankLines()
{
    while (!isDone() && linetext[nowcnt].isEmpty())
        ++nowcnt;
    return !isDone();
}
