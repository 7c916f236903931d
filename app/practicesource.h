#pragma once

#include "journal/runkind.h"

#include <QString>

// Where the practice lines come from: the chosen level's file (or digits written for it), a
// block made from the learner's weak keys at that level, or a text file the learner opened.
// The kinds are the journal's, so a run is kept as what it practised.
struct PracticeSource {
    using Kind = RunKind;
    Kind kind = Kind::Level;
    QString path; // the opened text
    QString keys; // the weak keys a block trains, weakest first

    static PracticeSource text(const QString& path) { return {Kind::Text, path, {}}; }
    static PracticeSource weakKeys(const QString& keys) { return {Kind::WeakKeys, {}, keys}; }
    bool isText() const { return kind == Kind::Text; }
    bool isWeakKeys() const { return kind == Kind::WeakKeys; }
    // A level's runs compete for its best score; a weak-key block or an opened text has none.
    bool keepsBest() const { return kind == Kind::Level; }
};
