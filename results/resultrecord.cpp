#include "results/resultrecord.h"

#include "ui/settingsstore.h"

ResultRecord::ResultRecord(SettingsStore& store) : store_(store), history_(store) {}

bool ResultRecord::enter(const FinishedRun& run, int level, const QString& today)
{
    if (entered_ == run.serial) return false;
    entered_ = run.serial;

    // A result sets some thirty values; they reach the file together.
    const SettingsStore::Batch batch(store_);
    history_.beginResult();
    score_ = scoring::score(run.start, run.finish, run.mojicnt, run.misscnt, run.inputcnt);
    history_.enterResult(score_.points, score_.miss, score_.speed);
    panel_ = history_.bestPanel();
    if (history_.recordBest(level, score_.points, today))
        panel_[level - 1] = {QString::number(score_.points), today};
    return true;
}
