#pragma once

#include <QChar>
#include <array>

// Which finger the learner should use for a key; None marks keys left to the little finger's
// reach without a colour of their own (the far-right keys, the Shift keys, the space bar).
enum class Finger { Index, Middle, Ring, Little, None };

enum class KeyRow { Number, Upper, Home, Lower, Bottom };

// A code that no key produces; used where a key has no shifted (or no) character.
inline constexpr int noChar = -1;

// One key of the on-screen JIS keyboard. Geometry is in twips within the main window.
struct KeyDef {
    const char* legend; // UTF-8 caption as printed on the keycap
    int unshifted;      // character code typed without Shift, or noChar
    int shifted;        // character code typed with Shift, or noChar
    KeyRow row;
    int left;
    int top;
    int width;
    int height;
    Finger finger;
};

inline constexpr int keyCount = 51;
inline constexpr int leftShiftKey = 48;
inline constexpr int rightShiftKey = 49;
inline constexpr int spaceKey = 50;
// The two keys that type a backslash on a JIS board: the yen key wins, the lower one is
// only ever pointed at as its companion.
inline constexpr int yenKey = 12;
inline constexpr int backslashKey = 47;

// The keys in index order. Two Lefts (7202, 4206) sit off the 840-twip grid; they are kept
// as the board was laid out so the picture matches what learners already know.
// clang-format off
inline constexpr std::array<KeyDef, keyCount> keyTable{{
    {"1", '1', '!',    KeyRow::Number, 2160, 5280, 735, 615, Finger::Little},
    {"2", '2', '"',    KeyRow::Number, 3000, 5280, 735, 615, Finger::Ring},
    {"3", '3', '#',    KeyRow::Number, 3840, 5280, 735, 615, Finger::Middle},
    {"4", '4', '$',    KeyRow::Number, 4680, 5280, 735, 615, Finger::Index},
    {"5", '5', '%',    KeyRow::Number, 5520, 5280, 735, 615, Finger::Index},
    {"6", '6', '&',    KeyRow::Number, 6360, 5280, 735, 615, Finger::Index},
    {"7", '7', '\'',   KeyRow::Number, 7202, 5280, 735, 615, Finger::Index},
    {"8", '8', '(',    KeyRow::Number, 8040, 5280, 735, 615, Finger::Middle},
    {"9", '9', ')',    KeyRow::Number, 8880, 5280, 735, 615, Finger::Ring},
    {"0", '0', noChar, KeyRow::Number, 9720, 5280, 735, 615, Finger::Little},
    {"-", '-', '=',    KeyRow::Number, 10560, 5280, 735, 615, Finger::Little},
    {"^", '^', '~',    KeyRow::Number, 11400, 5280, 735, 615, Finger::None},
    {"\u00A5", '\\', '|', KeyRow::Number, 12240, 5280, 735, 615, Finger::None},

    {"Q", 'q', 'Q', KeyRow::Upper, 2520, 6120, 735, 615, Finger::Little},
    {"W", 'w', 'W', KeyRow::Upper, 3360, 6120, 735, 615, Finger::Ring},
    {"E", 'e', 'E', KeyRow::Upper, 4206, 6120, 735, 615, Finger::Middle},
    {"R", 'r', 'R', KeyRow::Upper, 5040, 6120, 735, 615, Finger::Index},
    {"T", 't', 'T', KeyRow::Upper, 5880, 6120, 735, 615, Finger::Index},
    {"Y", 'y', 'Y', KeyRow::Upper, 6720, 6120, 735, 615, Finger::Index},
    {"U", 'u', 'U', KeyRow::Upper, 7560, 6120, 735, 615, Finger::Index},
    {"I", 'i', 'I', KeyRow::Upper, 8400, 6120, 735, 615, Finger::Middle},
    {"O", 'o', 'O', KeyRow::Upper, 9240, 6120, 735, 615, Finger::Ring},
    {"P", 'p', 'P', KeyRow::Upper, 10080, 6120, 735, 615, Finger::Little},
    {"@", '@', '`', KeyRow::Upper, 10920, 6120, 735, 615, Finger::None},
    {"[", '[', '{', KeyRow::Upper, 11760, 6120, 735, 615, Finger::None},

    {"A", 'a', 'A', KeyRow::Home, 2880, 6960, 735, 615, Finger::Little},
    {"S", 's', 'S', KeyRow::Home, 3720, 6960, 735, 615, Finger::Ring},
    {"D", 'd', 'D', KeyRow::Home, 4560, 6960, 735, 615, Finger::Middle},
    {"F", 'f', 'F', KeyRow::Home, 5400, 6960, 735, 615, Finger::Index},
    {"G", 'g', 'G', KeyRow::Home, 6240, 6960, 735, 615, Finger::Index},
    {"H", 'h', 'H', KeyRow::Home, 7080, 6960, 735, 615, Finger::Index},
    {"J", 'j', 'J', KeyRow::Home, 7920, 6960, 735, 615, Finger::Index},
    {"K", 'k', 'K', KeyRow::Home, 8760, 6960, 735, 615, Finger::Middle},
    {"L", 'l', 'L', KeyRow::Home, 9600, 6960, 735, 615, Finger::Ring},
    {";", ';', '+', KeyRow::Home, 10440, 6960, 735, 615, Finger::Little},
    {":", ':', '*', KeyRow::Home, 11280, 6960, 735, 615, Finger::None},
    {"]", ']', '}', KeyRow::Home, 12120, 6960, 735, 615, Finger::None},

    {"Z", 'z', 'Z', KeyRow::Lower, 3240, 7800, 735, 615, Finger::Little},
    {"X", 'x', 'X', KeyRow::Lower, 4080, 7800, 735, 615, Finger::Ring},
    {"C", 'c', 'C', KeyRow::Lower, 4920, 7800, 735, 615, Finger::Middle},
    {"V", 'v', 'V', KeyRow::Lower, 5760, 7800, 735, 615, Finger::Index},
    {"B", 'b', 'B', KeyRow::Lower, 6600, 7800, 735, 615, Finger::Index},
    {"N", 'n', 'N', KeyRow::Lower, 7440, 7800, 735, 615, Finger::Index},
    {"M", 'm', 'M', KeyRow::Lower, 8280, 7800, 735, 615, Finger::Index},
    {",", ',', '<', KeyRow::Lower, 9120, 7800, 735, 615, Finger::Middle},
    {".", '.', '>', KeyRow::Lower, 9960, 7800, 735, 615, Finger::Ring},
    {"/", '/', '?', KeyRow::Lower, 10800, 7800, 735, 615, Finger::Little},
    {"\\", '\\', '_', KeyRow::Lower, 11640, 7800, 735, 615, Finger::None},
    {"Shift", noChar, noChar, KeyRow::Lower, 1680, 7800, 1455, 615, Finger::None},
    {"Shift", noChar, noChar, KeyRow::Lower, 12480, 7800, 1455, 615, Finger::None},

    {"Space", ' ', noChar, KeyRow::Bottom, 5760, 8640, 2175, 615, Finger::None},
}};
// clang-format on

// The key that types a character code, or -1. Keys are tried in index order, each with its
// unshifted then its shifted character, so a backslash always lands on the yen key.
int keyForCode(int code);

// Whether the character needs Shift held: the capitals and the symbols printed on the upper
// half of a JIS keycap.
bool isShiftedCode(int code);

// The character's code in the Japanese (Shift-JIS) code page as the key map expects it;
// characters needing two bytes give a negative value that matches no key.
int charCode(QChar c);
