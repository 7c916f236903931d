#include "keyboard/fingercolours.h"

std::optional<QColor> fingerKeyColour(Finger finger)
{
    for (const FingerStyle& s : fingerStyles) {
        if (s.finger == finger) return QColor::fromRgb(s.keyColour);
    }
    return std::nullopt;
}

std::optional<QColor> keyColour(int index)
{
    if (index < 0 || index >= keyCount) return std::nullopt;
    return fingerKeyColour(keyTable[index].finger);
}
