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

    void setVisible(bool on);

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
// Shortens every line at its far (right or lower) end, so the corners do not overlap.
inline constexpr float trimlen = 30.0f;
// Pulls the right and bottom sides in towards the key.
inline constexpr float insetlen = 20.0f;

// Each places one side of the frame round `key`, leaving its visibility alone.
void kakoiue(FrameLine& ln, const KeyRect& key);
void kakoimigi(FrameLine& ln, const KeyRect& key);
void kakoisita(FrameLine& ln, const KeyRect& key);
void kakoihidari(FrameLine& ln, const KeyRect& key);

// The four sides, top, right, bottom and left.
void kakoi(Frame& frame, const KeyRect& key);
