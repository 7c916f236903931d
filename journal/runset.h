#pragma once

#include "practice/sources.h"

#include <QString>
#include <optional>

struct RunFigures;

// The runs the journal window shows at a time: a level's, all of them or only one kind, or the
// runs of an opened text by its file name, whatever level was chosen meanwhile.
struct RunSet {
    RunSet() = default;
    explicit RunSet(int level, std::optional<RunKind> only = {}) : level(level), only(only) {}
    static RunSet ofText(const QString& name)
    {
        RunSet set;
        set.text = name;
        return set;
    }

    int level = 0;
    QString text;
    std::optional<RunKind> only;

    // The runs, of every kind, that a run of this kind, level and text joins.
    static RunSet of(RunKind kind, int level, const QString& text)
    {
        return kind == RunKind::Text ? ofText(text) : RunSet(level);
    }

    bool isText() const { return !text.isEmpty(); }
    // The level or text alone, every kind of its runs.
    RunSet withoutKind() const { return isText() ? ofText(text) : RunSet(level); }
    bool holds(const RunFigures& run) const;
    friend bool operator==(const RunSet&, const RunSet&) = default;
};
