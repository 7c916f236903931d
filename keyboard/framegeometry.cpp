#include "keyboard/framegeometry.h"

#include "keyboard/keytable.h"

void Frame::setVisible(bool on)
{
    for (FrameLine& ln : lines)
        ln.visible = on;
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

void kakoiue(FrameLine& ln, const KeyRect& key)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = key.left + key.width + frameMargin - trimlen;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = ln.Y1;
}

void kakoimigi(FrameLine& ln, const KeyRect& key)
{
    ln.X1 = key.left + key.width + frameMargin - insetlen;
    ln.X2 = ln.X1;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = key.top + key.height + frameMargin - trimlen;
}

void kakoisita(FrameLine& ln, const KeyRect& key)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = key.left + key.width + frameMargin - trimlen;
    ln.Y1 = key.top + key.height + frameMargin - insetlen;
    ln.Y2 = ln.Y1;
}

void kakoihidari(FrameLine& ln, const KeyRect& key)
{
    ln.X1 = key.left - frameMargin;
    ln.X2 = ln.X1;
    ln.Y1 = key.top - frameMargin;
    ln.Y2 = key.top + key.height + frameMargin - trimlen;
}

void kakoi(Frame& frame, const KeyRect& key)
{
    kakoiue(frame.lines[0], key);
    kakoimigi(frame.lines[1], key);
    kakoisita(frame.lines[2], key);
    kakoihidari(frame.lines[3], key);
}
