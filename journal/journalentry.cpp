#include "journal/journalentry.h"

#include "results/resultshost.h"
#include "results/scoring.h"

#include <QDateTime>
#include <cmath>

namespace journalentry {

QString isoLocal(const QDateTime& when)
{
    // A local time prints without its offset; one fixed to its offset prints with it.
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODate);
}

JournalEntry make(const QDateTime& finished, int level, const FinishedRun& run, const Score& score,
                  const QList<CharTally>& tallies)
{
    RunFigures figures;
    figures.finished = isoLocal(finished);
    figures.level = level;
    // The float of the shown time, held as the nearest two-decimal double.
    figures.seconds = std::nearbyint(double(score.seconds) * 100.0) / 100.0;
    figures.characters = run.mojicnt;
    figures.keystrokes = run.inputcnt;
    figures.misses = run.misscnt;
    figures.missRate = score.miss;
    figures.speed = score.speed;
    figures.score = score.points;
    return {figures, tallies};
}

} // namespace journalentry
