#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <optional>

// The small finger-colour tag that rides along the input line under the next character.
struct ColourTag {
    std::optional<QColor> background; // nullopt: the plain button face
    QString caption;
    qint32 left; // twips
    qint32 top;  // twips
};

struct ColourTagLayout {
    int width;
    int height;
    double pointSize; // bold, in the proportional gothic
    int offset;       // from the input line's left edge to the tag at position 0
    int step;         // per character
    int lastLine;     // tags are shown on input lines 0..lastLine only
};
// Shown on every one of the five input lines.
inline constexpr ColourTagLayout cmdcolorLayout{495, 375, 11.25, 50, 165, 4};

// The typing window's input lines txtin(i), in twips.
struct TxtinLayout {
    int left;
    int firstTop;
    int pitch;
    int width;
    int height;
};
inline constexpr TxtinLayout txtinLayout{480, 600, 960, 14295, 375};

inline constexpr int txtinLeft(int)
{
    return txtinLayout.left;
}
inline constexpr int txtinTop(int i)
{
    return txtinLayout.firstTop + txtinLayout.pitch * i;
}

// Where and how to show the tag for key `Index` at 1-based position `pos` of input line
// `nowcnt`, whose Left/Top are given; nullopt leaves the tag as it is.
std::optional<ColourTag> Color(int Index, int nowcnt, int pos, int txtinLeft, int txtinTop);
