#pragma once

#include <array>

// One side of a guide frame, in twips.
struct FrameLine {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    bool visible = false;
};

// Four lines: 0 top, 1 right, 2 bottom, 3 left.
struct Frame {
    std::array<FrameLine, 4> lines;

    FrameLine& top() { return lines[0]; }
    FrameLine& right() { return lines[1]; }
    FrameLine& bottom() { return lines[2]; }
    FrameLine& left() { return lines[3]; }

    void setVisible(bool on);
    bool allVisible() const;
    bool anyVisible() const;

    // Lines running exactly along the sides of the rectangle (x1,y1)-(x2,y2).
    static Frame along(float x1, float y1, float x2, float y2, bool visible);
};

// A key's rectangle in twips.
struct KeyRect {
    float left;
    float top;
    float width;
    float height;
};

KeyRect keyRect(int index);

// How far a frame stands off the key on every side.
inline constexpr float frameMargin = 40.0f;

// Each places one side of the frame round `key`. trimlen shortens the lines at their far
// (right or lower) end so the corners do not overlap; insetlen pulls the right and bottom
// sides in towards the key. Visibility is left alone.
void kakoiue(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen);
void kakoimigi(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen);
void kakoisita(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen);
void kakoihidari(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen);

void kakoi(FrameLine& ln0, FrameLine& ln1, FrameLine& ln2, FrameLine& ln3, const KeyRect& key,
           float trimlen, float insetlen);
void kakoi(Frame& frame, const KeyRect& key, float trimlen, float insetlen);
