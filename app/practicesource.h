#pragma once

#include <QString>

// Where the practice lines come from: the chosen level's file (or digits written for it), or
// a text file the learner opened.
struct PracticeSource {
    enum class Kind { Level, Text };
    Kind kind = Kind::Level;
    QString path; // the opened text; empty for a level

    static PracticeSource text(const QString& path) { return {Kind::Text, path}; }
    bool isText() const { return kind == Kind::Text; }
    // A level's runs compete for its best score; an opened text has no best.
    bool keepsBest() const { return kind == Kind::Level; }
};
