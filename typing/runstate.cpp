#include "typing/runstate.h"

QChar RunState::expected() const
{
    const QString& line = linetext[std::min<int>(nowcnt, 5)];
    return pos >= 1 && pos <= line.size() ? line.at(pos - 1) : QChar();
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
