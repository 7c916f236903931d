#include "typing/runstate.h"

QChar RunState::expected() const
{
    const QString& line = linetext[std::min<int>(nowcnt, 5)];
    return pos >= 1 && pos <= line.size() ? line.at(pos - 1) : QChar();
}
