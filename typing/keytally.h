#pragma once

#include <QChar>
#include <QList>
#include <array>
#include <vector>

// How often one expected character came up in a run and how many wrong keys it drew.
struct CharTally {
    QChar character;
    int due = 0;   // typed right: once per occurrence the learner had to type
    int wrong = 0; // wrong keys pressed while it was the expected character
    // Milliseconds from the right key before to its right key, wrong keys between included,
    // summed over `timed` of its keystrokes (see KeyTally::countDue).
    qint64 timeMs = 0;
    int timed = 0;
    friend bool operator==(const CharTally&, const CharTally&) = default;
};

// The per-character tallies of one run. Counting happens on every judged key, so the
// practice characters (ASCII) go to a fixed table and the rare others to a short list.
class KeyTally {
public:
    // The time it took, or noTime: the first key of a line, a key after a pause.
    static constexpr int noTime = -1;
    void countDue(QChar expected, int ms = noTime);
    void countWrong(QChar expected);
    // A keystroke from the numeric keypad, whatever it typed.
    void countKeypad() { ++keypad_; }
    // Forgets the run; keeps the list's memory for the next one.
    void clear();

    // Every character that was due or missed, in character order.
    QList<CharTally> tallies() const;
    int keypadKeys() const { return keypad_; }

private:
    struct Counts {
        int due = 0;
        int wrong = 0;
        int timeMs = 0; // 32767 keys of a few seconds each stay well within it
        int timed = 0;
    };
    Counts& counts(QChar c);
    static CharTally tally(QChar c, const Counts& n);

    static constexpr int tableSize = 128;
    std::array<Counts, tableSize> ascii_{};
    std::vector<std::pair<QChar, Counts>> others_;
    int keypad_ = 0;
};
