#include "typing/keytally.h"

#include <algorithm>

KeyTally::Counts& KeyTally::counts(QChar c)
{
    if (c.unicode() < tableSize) return ascii_[c.unicode()];
    const auto found = std::find_if(others_.begin(), others_.end(),
                                    [c](const auto& entry) { return entry.first == c; });
    if (found != others_.end()) return found->second;
    return others_.emplace_back(c, Counts{}).second;
}

void KeyTally::countDue(QChar expected, int ms)
{
    Counts& c = counts(expected);
    ++c.due;
    if (ms == noTime) return;
    c.timeMs += ms;
    ++c.timed;
}

void KeyTally::countWrong(QChar expected)
{
    ++counts(expected).wrong;
}

void KeyTally::clear()
{
    ascii_.fill({});
    others_.clear();
    keypad_ = 0;
}

CharTally KeyTally::tally(QChar c, const Counts& n)
{
    return {c, n.due, n.wrong, n.timeMs, n.timed};
}

QList<CharTally> KeyTally::tallies() const
{
    QList<CharTally> list;
    for (int code = 0; code < tableSize; ++code)
        if (ascii_[code].due || ascii_[code].wrong) list.append(tally(QChar(code), ascii_[code]));
    auto others = others_;
    std::sort(others.begin(), others.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [c, n] : others)
        list.append(tally(c, n));
    return list;
}
