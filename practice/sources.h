#pragma once

#include <QString>
#include <array>

// What a learner practises on, said once: the four levels, a block made from the learner's
// weak keys, or a text file of their own. The windows, the settings store and the journal all
// read it from here.

// What a run practised; the journal keeps these numbers, which never change meaning.
enum class RunKind { Level = 0, WeakKeys = 1, Text = 2 };

namespace practice {

// A level: its number (the level dialog's entry, the key of its best score, the journal's
// level), its caption in the windows, and its file of practice lines in the working folder.
// A level's runs compete for its best score.
struct Level {
    int number;
    const char* caption;
    const char* file;
    bool randomDigits; // the file is written afresh with groups of random digits for each block
};
inline constexpr std::array<Level, 4> levels{{{1, "初級", "beginner.txt", false},
                                              {2, "中級", "middle.txt", false},
                                              {3, "上級", "advance.txt", false},
                                              {4, "数字", "tenkey.txt", true}}};

// The level practised until the learner chooses one.
inline constexpr int defaultLevel = 2;

// Whether `number` names a level; 0 means none was chosen yet.
constexpr bool isLevel(int number)
{
    return number >= 1 && number <= int(levels.size());
}

// Level `number`, or the default level for a number that names none.
constexpr const Level& level(int number)
{
    return levels[std::size_t((isLevel(number) ? number : defaultLevel) - 1)];
}

QString caption(const Level& level);

} // namespace practice

// Where the practice lines come from now: the chosen level's file, a block made from the
// learner's weak keys at that level, or a text file the learner opened.
struct PracticeSource {
    RunKind kind = RunKind::Level;
    QString path; // the opened text
    QString keys; // the weak keys a block trains, weakest first

    static PracticeSource text(const QString& path) { return {RunKind::Text, path, {}}; }
    static PracticeSource weakKeys(const QString& keys) { return {RunKind::WeakKeys, {}, keys}; }
    bool isText() const { return kind == RunKind::Text; }
    bool isWeakKeys() const { return kind == RunKind::WeakKeys; }
    // Only a level's own lines compete for its best: a weak-key block or a text keeps none.
    bool keepsBest() const { return kind == RunKind::Level; }
};
