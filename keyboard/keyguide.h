#pragma once

#include "keyboard/framegeometry.h"

#include <QtGlobal>

// Where the red guide frames stand on the on-screen keyboard. round() moves them to the key
// for the next character to type; the widgets only draw what is held here.
class KeyGuide {
public:
    KeyGuide();

    // What the window does each time it loads: forget the last key and hide the second
    // backslash frame. The other frames stay where they are.
    void resetForLoad();

    // Frame the key for character code `inputcode`, plus the second backslash key or both
    // Shift keys when they are needed too.
    void round(int inputcode);

    qint16 Index = 0;    // key of the character last passed to round(); -1 when it has none
    qint16 prevkey = -1; // key framed by the last round() that found one

    Frame moji;   // the key itself
    Frame moji2;  // the lower backslash key, offered as well for a backslash
    Frame shift1; // left Shift
    Frame shift2; // right Shift
};
