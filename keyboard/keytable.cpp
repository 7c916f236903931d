#include "keyboard/keytable.h"

#include <cstddef>

int keyForCode(int code)
{
    // The table's "no character" marker is itself a negative code: keep it from matching.
    if (code < 0) return -1;
    for (int i = 0; i < keyCount; ++i) {
        const KeyDef& k = keyTable[i];
        if (k.unshifted == code || k.shifted == code) return i;
    }
    return -1;
}

bool isShiftedCode(int code)
{
    if (code < 0) return false;
    for (const KeyDef& k : keyTable) {
        if (k.shifted == code) return true;
    }
    return false;
}

QChar codePageCharacter(QChar typed)
{
    if (typed == QChar(0x00A5)) return u'\\';
    if (typed == QChar(0x203E)) return u'~';
    return typed;
}

int charCode(QChar c)
{
    const char16_t u = codePageCharacter(c).unicode();
    if (u < 0x80) return u;
    if (u >= 0xFF61 && u <= 0xFF9F) return u - 0xFF61 + 0xA1;
    return -1;
}

bool onAKey(QChar c)
{
    static const std::array<bool, 128> keyed = [] {
        std::array<bool, 128> table{};
        for (const KeyDef& key : keyTable)
            for (int code : {key.unshifted, key.shifted})
                if (code >= 0 && code < 128) table[std::size_t(code)] = true;
        return table;
    }();
    return c.unicode() < 128 && keyed[c.unicode()];
}
