#include "journal/journalentry.h"

#include "journal/runset.h"
#include "results/resultshost.h"
#include "results/scoring.h"

#include <QDateTime>
#include <cmath>
#include <cstdlib>

namespace journalentry {

QString isoLocal(const QDateTime& when)
{
    // Qt writes UTC as "Z"; a journal kept in UTC reads like any other with "+00:00".
    const int offset = when.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QChar(offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QChar(u'0'))
               .arg(minutes % 60, 2, 10, QChar(u'0'));
}

JournalEntry make(const QDateTime& finished, const Origin& origin, const FinishedRun& run,
                  const Score& score, const KeyTally& tally, bool spacesSkipped)
{
    RunFigures figures;
    figures.finished = isoLocal(finished);
    figures.level = origin.level;
    figures.kind = origin.kind;
    figures.textName = origin.textName;
    // The float of the shown time, held as the nearest two-decimal double.
    figures.seconds = std::nearbyint(double(score.seconds) * 100.0) / 100.0;
    figures.characters = run.mojicnt;
    figures.keystrokes = run.inputcnt;
    figures.misses = run.misscnt;
    figures.missRate = score.miss;
    figures.speed = score.speed;
    figures.score = score.points;
    figures.spacesSkipped = spacesSkipped;
    figures.keypadKeys = tally.keypadKeys();
    return {figures, tally.tallies()};
}

} // namespace journalentry

bool RunSet::holds(const RunFigures& run) const
{
    if (isText()) return run.kind == RunKind::Text && run.textName == text;
    return run.kind != RunKind::Text && run.level == level && (!only || run.kind == *only);
}
