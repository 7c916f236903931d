#pragma once

#include "practice/sources.h"
#include "typing/keytally.h"

#include <QList>
#include <QString>
#include <optional>

class QDateTime;
struct Score;
struct FinishedRun;

// One finished run as the journal keeps it: the figures of its results window.
struct RunFigures {
    QString finished;     // ISO 8601, local time with its UTC offset: "2026-12-06T15:04:05+09:00"
    int level = 0;        // 0 before a level was ever chosen, and for a text
    double seconds = 0.0; // the shown time, two decimals
    int characters = 0;
    int keystrokes = 0;
    int misses = 0;
    int missRate = 0; // percent
    int speed = 0;    // characters per minute
    int score = 0;
    // Spaces filled in for the learner, which lowers the characters and leaves the space
    // untallied; unknown for runs kept before the journal noted it.
    std::optional<bool> spacesSkipped;
    int keypadKeys = 0; // keystrokes typed on the numeric keypad
    RunKind kind = RunKind::Level;
    QString textName; // an opened text's file name
    friend bool operator==(const RunFigures&, const RunFigures&) = default;
};

// What the chart and the table's order need of every run of a level, read for a hundred
// thousand runs at an opening; the table reads the rest of the rows it shows.
struct RunPoint {
    qint64 id = 0;
    QString finished;
    int speed = 0;
    int missRate = 0;
};

struct JournalEntry {
    RunFigures run;
    QList<CharTally> tallies;
    qint64 id = 0; // the journal's number for the run; 0 until it has one
};

namespace journalentry {

// Local time with the offset it had, so a record reads the same after a move or a change of
// summer time.
QString isoLocal(const QDateTime& when);

// What a run practised: its kind, the level (0 for a text) and a text's file name.
struct Origin {
    RunKind kind = RunKind::Level;
    int level = 0;
    QString textName;
};

// The entry for a run as the results window scored it.
JournalEntry make(const QDateTime& finished, const Origin& origin, const FinishedRun& run,
                  const Score& score, const KeyTally& tally, bool spacesSkipped);

} // namespace journalentry
