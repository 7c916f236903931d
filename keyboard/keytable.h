#pragma once

#include <QChar>
#include <array>

// Which finger the learner should use for a key; None marks keys without a finger colour of
// their own: the far-right keys and the Shift keys, which the little finger reaches, and the
// space bar, the thumbs'.
enum class Finger { Index, Middle, Ring, Little, None };

// A code that no key produces; used where a key has no shifted (or no) character.
inline constexpr int noChar = -1;

// One key of the on-screen JIS keyboard. Geometry is in twips within the main window.
struct KeyDef {
    const char* legend; // UTF-8 caption as printed on the keycap
    int unshifted;      // character code typed without Shift, or noChar
    int shifted;        // character code typed with Shift, or noChar
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
    {"1", '1', '!',    2160, 5280, 735, 615, Finger::Little},
    {"2", '2', '"',    3000, 5280, 735, 615, Finger::Ring},
    {"3", '3', '#',    3840, 5280, 735, 615, Finger::Middle},
    {"4", '4', '$',    4680, 5280, 735, 615, Finger::Index},
    {"5", '5', '%',    5520, 5280, 735, 615, Finger::Index},
    {"6", '6', '&',    6360, 5280, 735, 615, Finger::Index},
    {"7", '7', '\'',   7202, 5280, 735, 615, Finger::Index},
    {"8", '8', '(',    8040, 5280, 735, 615, Finger::Middle},
    {"9", '9', ')',    8880, 5280, 735, 615, Finger::Ring},
    {"0", '0', noChar, 9720, 5280, 735, 615, Finger::Little},
    {"-", '-', '=',    10560, 5280, 735, 615, Finger::Little},
    {"^", '^', '~',    11400, 5280, 735, 615, Finger::None},
    {"\u00A5", '\\', '|', 12240, 5280, 735, 615, Finger::None},

    {"Q", 'q', 'Q', 2520, 6120, 735, 615, Finger::Little},
    {"W", 'w', 'W', 3360, 6120, 735, 615, Finger::Ring},
    {"E", 'e', 'E', 4206, 6120, 735, 615, Finger::Middle},
    {"R", 'r', 'R', 5040, 6120, 735, 615, Finger::Index},
    {"T", 't', 'T', 5880, 6120, 735, 615, Finger::Index},
    {"Y", 'y', 'Y', 6720, 6120, 735, 615, Finger::Index},
    {"U", 'u', 'U', 7560, 6120, 735, 615, Finger::Index},
    {"I", 'i', 'I', 8400, 6120, 735, 615, Finger::Middle},
    {"O", 'o', 'O', 9240, 6120, 735, 615, Finger::Ring},
    {"P", 'p', 'P', 10080, 6120, 735, 615, Finger::Little},
    {"@", '@', '`', 10920, 6120, 735, 615, Finger::None},
    {"[", '[', '{', 11760, 6120, 735, 615, Finger::None},

    {"A", 'a', 'A', 2880, 6960, 735, 615, Finger::Little},
    {"S", 's', 'S', 3720, 6960, 735, 615, Finger::Ring},
    {"D", 'd', 'D', 4560, 6960, 735, 615, Finger::Middle},
    {"F", 'f', 'F', 5400, 6960, 735, 615, Finger::Index},
    {"G", 'g', 'G', 6240, 6960, 735, 615, Finger::Index},
    {"H", 'h', 'H', 7080, 6960, 735, 615, Finger::Index},
    {"J", 'j', 'J', 7920, 6960, 735, 615, Finger::Index},
    {"K", 'k', 'K', 8760, 6960, 735, 615, Finger::Middle},
    {"L", 'l', 'L', 9600, 6960, 735, 615, Finger::Ring},
    {";", ';', '+', 10440, 6960, 735, 615, Finger::Little},
    {":", ':', '*', 11280, 6960, 735, 615, Finger::None},
    {"]", ']', '}', 12120, 6960, 735, 615, Finger::None},

    {"Z", 'z', 'Z', 3240, 7800, 735, 615, Finger::Little},
    {"X", 'x', 'X', 4080, 7800, 735, 615, Finger::Ring},
    {"C", 'c', 'C', 4920, 7800, 735, 615, Finger::Middle},
    {"V", 'v', 'V', 5760, 7800, 735, 615, Finger::Index},
    {"B", 'b', 'B', 6600, 7800, 735, 615, Finger::Index},
    {"N", 'n', 'N', 7440, 7800, 735, 615, Finger::Index},
    {"M", 'm', 'M', 8280, 7800, 735, 615, Finger::Index},
    {",", ',', '<', 9120, 7800, 735, 615, Finger::Middle},
    {".", '.', '>', 9960, 7800, 735, 615, Finger::Ring},
    {"/", '/', '?', 10800, 7800, 735, 615, Finger::Little},
    {"\\", '\\', '_', 11640, 7800, 735, 615, Finger::None},
    {"Shift", noChar, noChar, 1680, 7800, 1455, 615, Finger::None},
    {"Shift", noChar, noChar, 12480, 7800, 1455, 615, Finger::None},

    {"Space", ' ', noChar, 5760, 8640, 2175, 615, Finger::None},
}};
// clang-format on

// The key that types a character code, or -1. Keys are tried in index order, each with its
// unshifted then its shifted character, so a backslash always lands on the yen key.
int keyForCode(int code);

// Whether the character needs Shift held: the capitals and the symbols printed on the upper
// half of a JIS keycap.
bool isShiftedCode(int code);

// The code page's character for one a JIS layout types: some Linux layouts type the yen sign
// and the overline from the keys where the code page has the backslash and the tilde.
QChar codePageCharacter(QChar typed);

// The character's code in the Japanese (Shift-JIS) code page as the key map expects it;
// characters needing two bytes give a negative value that matches no key.
int charCode(QChar c);

// Whether some key of the board types the character itself, as one look-up: a text of megabytes
// is checked character by character.
bool onAKey(QChar c);
