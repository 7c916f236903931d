#pragma once

#include "keyboard/keytable.h"

#include <QColor>
#include <QString>
#include <array>
#include <optional>

// One finger's entry in the "which finger" legend and the colour of the keys it types.
struct FingerStyle {
    Finger finger;
    const char* caption; // UTF-8
    QRgb legendColour;
    QRgb keyColour;
    int legendTop; // twips, window coordinates
};

// In legend order: index, middle, ring, little. The little finger's keys are a paler cyan
// than its legend so the keycap letters stay readable.
inline constexpr std::array<FingerStyle, 4> fingerStyles{{
    {Finger::Index, "人差し指", qRgb(255, 0, 255), qRgb(255, 0, 255), 5640},
    {Finger::Middle, "中指", qRgb(255, 255, 0), qRgb(255, 255, 0), 6240},
    {Finger::Ring, "薬指", qRgb(0, 255, 0), qRgb(0, 255, 0), 6840},
    {Finger::Little, "小指", qRgb(0, 255, 255), qRgb(128, 255, 255), 7440},
}};

// The legend buttons lblyubi(0..3) share these (twips, window coordinates).
struct LegendButtonLayout {
    int left;
    int width;
    int height;
    double pointSize; // bold, in the proportional gothic
};
inline constexpr LegendButtonLayout lblyubiLayout{240, 1095, 495, 9.75};

// The key colour for a finger; nullopt for keys left on the plain button face.
std::optional<QColor> fingerKeyColour(Finger finger);

// The colour of key `index`; nullopt for keys without a finger colour or out of range.
std::optional<QColor> keyColour(int index);
