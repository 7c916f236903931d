#include "keyboard/colourguide.h"

#include "keyboard/fingercolours.h"
#include "keyboard/keytable.h"

#include <cstring>

std::optional<ColourTag> Color(int Index, int nowcnt, int pos, int txtinLeft, int txtinTop)
{
    if (nowcnt > cmdcolorLayout.lastLine || Index < 0 || Index >= keyCount) return std::nullopt;

    const KeyDef& key = keyTable[Index];
    ColourTag tag;
    tag.background = keyColour(Index);
    tag.caption = std::strcmp(key.legend, "Space") == 0 ? QStringLiteral("SP")
                                                        : QString::fromUtf8(key.legend);
    // 32-bit on purpose: long lines push pos * step past 16 bits and the tag must keep going.
    tag.left = qint32(txtinLeft) + cmdcolorLayout.offset + qint32(pos) * cmdcolorLayout.step;
    tag.top = txtinTop;
    return tag;
}
