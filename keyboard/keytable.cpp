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

int charCode(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80) return u;
    // Linux layouts for the JIS board type these from the yen and tilde keys; the code page
    // puts them where ASCII has the backslash and tilde.
    if (u == 0x00A5) return '\\';
    if (u == 0x203E) return '~';
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
