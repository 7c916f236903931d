#include "practice/sources.h"

namespace practice {

QString caption(const Level& level)
{
    return QString::fromUtf8(level.caption);
}

} // namespace practice
