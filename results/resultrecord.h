#pragma once

#include "results/history.h"
#include "results/resultshost.h"
#include "results/scoring.h"

#include <QString>
#include <array>
#include <optional>

class SettingsStore;

// What the results window shows for a finished run, worked out once per run: its score, the
// last ten results with it, and the best-score panel, written to the settings store at once.
class ResultRecord {
public:
    using Panel = std::array<History::Best, History::levels>;

    explicit ResultRecord(SettingsStore& store);

    // Scores and enters a run not seen before, and makes its score the level's best when it
    // beats the stored one (a level outside 1..4 keeps no best). False, changing nothing, for
    // the run entered last: opening its results again shows what they showed.
    bool enter(const FinishedRun& run, int level, const QString& today);

    const Score& score() const { return score_; }
    const Panel& panel() const { return panel_; }
    const History& history() const { return history_; }

private:
    SettingsStore& store_;
    History history_;
    std::optional<quint32> entered_;
    Score score_;
    Panel panel_;
};
