#include "keyboard/keyguide.h"

#include "keyboard/keytable.h"

namespace {

// Where the frames sit before anything is typed, as the window was drawn.
struct DesignFrame {
    float x1, y1, x2, y2;
    bool visible;
};
constexpr DesignFrame mojiDesign{10560, 9120, 11640, 10200, true};
constexpr DesignFrame moji2Design{3840, 9120, 4920, 10200, false};
constexpr DesignFrame shift1Design{480, 9240, 1320, 10200, false};
constexpr DesignFrame shift2Design{2160, 9120, 3240, 10200, false};

Frame fromDesign(const DesignFrame& d)
{
    return Frame::along(d.x1, d.y1, d.x2, d.y2, d.visible);
}

constexpr int pipeCode = '|';
constexpr int backslashCode = '\\';

} // namespace

KeyGuide::KeyGuide()
    : moji(fromDesign(mojiDesign)), moji2(fromDesign(moji2Design)),
      shift1(fromDesign(shift1Design)), shift2(fromDesign(shift2Design))
{
}

void KeyGuide::resetForLoad()
{
    // With prevkey forgotten, round() could never tell that this frame went stale.
    moji2.setVisible(false);
    prevkey = -1;
}

void KeyGuide::round(int inputcode)
{
    Index = static_cast<qint16>(keyForCode(inputcode));
    // A character with no key (kana, kanji, tab...) leaves the last guide standing rather
    // than blanking or greying anything.
    if (Index == -1) return;

    const bool shifted = isShiftedCode(inputcode);

    // The companion backslash frame belongs to a backslash only: drop it once the learner
    // moves off the yen key, or types the shifted "|" on it.
    if (prevkey == Index) {
        if (Index == yenKey && inputcode == pipeCode) moji2.setVisible(false);
    } else if (prevkey == yenKey) {
        moji2.setVisible(false);
    }

    if (!shifted) {
        shift1.setVisible(false);
        shift2.setVisible(false);
    }

    prevkey = Index;

    kakoi(moji, keyRect(Index));

    if (inputcode == backslashCode && Index == yenKey) {
        moji2.setVisible(true);
        kakoi(moji2, keyRect(backslashKey));
    }

    // Either Shift will do, so both are framed.
    if (shifted) {
        shift1.setVisible(true);
        shift2.setVisible(true);
        kakoi(shift1, keyRect(leftShiftKey));
        kakoi(shift2, keyRect(rightShiftKey));
    }
}
