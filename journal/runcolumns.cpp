#include "journal/runcolumns.h"

#include "journal/progress.h"
#include "practice/sources.h"

namespace runcolumns {

QString text(const RunFigures& run, int column)
{
    switch (column) {
    case Finished: return run.finished;
    case Seconds: return QString::number(run.seconds, 'f', 2);
    case Kind: return kindNames[std::size_t(run.kind)];
    default: return QString::number(sortKey(run, column));
    }
}

QString shortDate(const QString& iso)
{
    // The stored form is fixed ("yyyy-MM-ddTHH:mm:ss+hh:mm"): no parsing needed for a cell.
    QString date = iso.left(16);
    date.replace(u'-', u'/').replace(u'T', u' ');
    return date;
}

double sortKey(const RunFigures& run, int column)
{
    switch (column) {
    case Finished: return finishedKey(run.finished);
    case Seconds: return run.seconds;
    case Characters: return run.characters;
    case Keystrokes: return run.keystrokes;
    case Misses: return run.misses;
    case MissRate: return run.missRate;
    case Speed: return run.speed;
    case Score: return run.score;
    case Kind: return double(run.kind);
    default: return 0.0;
    }
}

double finishedKey(const QString& finished)
{
    return double(progress::instantSeconds(finished));
}

QString storedName(int column)
{
    static const std::array<const char*, count> names{"finished",   "seconds", "characters",
                                                      "keystrokes", "misses",  "miss_rate",
                                                      "speed",      "score",   "kind"};
    return QLatin1String(names[column]);
}

QString levelName(int level)
{
    return practice::isLevel(level) ? practice::caption(practice::level(level))
                                    : QStringLiteral("未選択");
}

QString sourceName(const RunFigures& run)
{
    return run.kind == RunKind::Text ? run.textName : levelName(run.level);
}

} // namespace runcolumns
