#include "keyboard/framegeometry.h"

#include "keyboard/keytable.h"

void Frame::setVisible(bool on)
{
    for (FrameLine& ln : lines)
        ln.visible = on;
}

bool Frame::allVisible() const
{
    for (const FrameLine& ln : lines) {
        if (!ln.visible) return false;
    }
    return true;
}

bool Frame::anyVisible() const
{
    for (const FrameLine& ln : lines) {
        if (ln.visible) return true;
    }
    return false;
}

Frame Frame::along(float x1, float y1, float x2, float y2, bool visible)
{
    Frame f;
    f.lines[0] = {x1, y1, x2, y1, visible};
    f.lines[1] = {x2, y1, x2, y2, visible};
    f.lines[2] = {x1, y2, x2, y2, visible};
    f.lines[3] = {x1, y1, x1, y2, visible};
    return f;
}

KeyRect keyRect(int index)
{
    const KeyDef& k = keyTable.at(index);
    return {float(k.left), float(k.top), float(k.width), float(k.height)};
}

void kakoiue(FrameLine& ln, const KeyRect& key, float trimlen, float)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = key.left + key.width + frameMargin - trimlen;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = ln.Y1;
}

void kakoimigi(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen)
{
    ln.X1 = key.left + key.width + frameMargin - insetlen;
    ln.X2 = ln.X1;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = key.top + key.height + frameMargin - trimlen;
}

void kakoisita(FrameLine& ln, const KeyRect& key, float trimlen, float insetlen)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = key.left + key.width + frameMargin - trimlen;
    ln.Y1 = key.top + key.height + frameMargin - insetlen;
    ln.Y2 = ln.Y1;
}

void kakoihidari(FrameLine& ln, const KeyRect& key, float trimlen, float)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = ln.X1;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = key.top + key.height + frameMargin - trimlen;
}

void kakoi(FrameLine& ln0, FrameLine& ln1, FrameLine& ln2, FrameLine& ln3, const KeyRect& key,
           float trimlen, float insetlen)
{
    kakoiue(ln0, key, trimlen, insetlen);
    kakoimigi(ln1, key, trimlen, insetlen);
    kakoisita(ln2, key, trimlen, insetlen);
    kakoihidari(ln3, key, trimlen, insetlen);
}

void kakoi(Frame& frame, const KeyRect& key, float trimlen, float insetlen)
{
    kakoi(frame.lines[0], frame.lines[1], frame.lines[2], frame.lines[3], key, trimlen, insetlen);
}
