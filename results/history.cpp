#include "results/history.h"

#include "app/settingsstore.h"

#include <limits>

const QString History::scoreSection = QStringLiteral("tokuten");
const QString History::missSection = QStringLiteral("miss");
const QString History::speedSection = QStringLiteral("sokudo");
const QString History::bestSection = QStringLiteral("maxtokuten");
const QString History::dateSection = QStringLiteral("date");
const QString History::noBest = QStringLiteral("------");
const QString History::noDate = QStringLiteral("----------");

History::History(SettingsStore& store) : store_(store) {}

QString History::slotKey(int slot)
{
    return QString::number(slot) + QStringLiteral("回目");
}

int History::filledRows() const
{
    return resultcnt_ >= rows ? rows : resultcnt_;
}

void History::beginResult()
{
    if (resultcnt_ >= rows) {
        if (resultcnt_ < std::numeric_limits<qint16>::max()) ++resultcnt_;
        for (int slot = 1; slot < rows; ++slot) {
            const QString from = slotKey(slot + 1);
            const qint16 score = store_.readInt16(scoreSection, from);
            const qint16 miss = store_.readInt16(missSection, from);
            const qint16 speed = store_.readInt16(speedSection, from);
            const QString to = slotKey(slot);
            store_.write(scoreSection, to, QString::number(score));
            store_.write(missSection, to, QString::number(miss));
            store_.write(speedSection, to, QString::number(speed));
        }
    } else if (resultcnt_ > 0) {
        ++resultcnt_;
    } else {
        resultcnt_ = 1;
        const QString zero = QStringLiteral("0");
        for (int slot = 1; slot <= rows; ++slot) {
            store_.write(scoreSection, slotKey(slot), zero);
            store_.write(missSection, slotKey(slot), zero);
            store_.write(speedSection, slotKey(slot), zero);
        }
    }

    working_ = {};
    for (int slot = 1; slot <= filledRows(); ++slot) {
        const QString key = slotKey(slot);
        working_[slot - 1] = {store_.readInt16(scoreSection, key),
                              store_.readInt16(missSection, key),
                              store_.readInt16(speedSection, key)};
    }
}

void History::enterResult(qint16 points, qint16 miss, qint16 speed)
{
    const int newest = filledRows();
    if (newest == 0) return; // no result was begun

    working_[newest - 1] = {points, miss, speed};
    const QString key = slotKey(newest);
    store_.write(scoreSection, key, QString::number(points));
    store_.write(missSection, key, QString::number(miss));
    store_.write(speedSection, key, QString::number(speed));

    for (int row = 0; row < newest; ++row)
        histdata_[row] = working_[row];
}

std::array<History::Best, History::levels> History::bestPanel() const
{
    std::array<Best, levels> panel;
    for (int level = 1; level <= levels; ++level) {
        const QString key = QString::number(level);
        panel[level - 1] = {store_.read(bestSection, key, noBest),
                            store_.read(dateSection, key, noDate)};
    }
    return panel;
}

bool History::recordBest(int level, qint16 points, const QString& today)
{
    if (level < 1 || level > levels) return false;
    const QString key = QString::number(level);
    if (points <= store_.readInt16(bestSection, key)) return false;
    store_.write(bestSection, key, QString::number(points));
    store_.write(dateSection, key, today);
    return true;
}
