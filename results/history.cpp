#include "results/history.h"

#include "ui/settingkeys.h"
#include "ui/settingsstore.h"

#include <limits>

using namespace settingkeys;

const QString History::noBest = QStringLiteral("------");
const QString History::noDate = QStringLiteral("----------");

History::History(SettingsStore& store) : store_(store) {}

int History::filledRows() const
{
    return resultcnt_ >= rows ? rows : resultcnt_;
}

History::Row History::readRow(int slot) const
{
    const QString key = slotKey(slot);
    return {store_.readInt16(figures[0], key), store_.readInt16(figures[1], key),
            store_.readInt16(figures[2], key)};
}

void History::writeRow(int slot, const Row& row)
{
    const QString key = slotKey(slot);
    const qint16 values[] = {row.score, row.miss, row.speed};
    for (std::size_t i = 0; i < figures.size(); ++i)
        store_.write(figures[i], key, QString::number(values[i]));
}

void History::beginResult()
{
    // A second copy of the program may have stored a better best since this one read the
    // file; the best is compared with the file as it is now.
    store_.reload();
    if (resultcnt_ >= rows) {
        // The oldest result drops out; the newest slot is overwritten by enterResult.
        if (resultcnt_ < std::numeric_limits<qint16>::max()) ++resultcnt_;
        for (int slot = 1; slot < rows; ++slot)
            writeRow(slot, readRow(slot + 1));
    } else if (resultcnt_ > 0) {
        ++resultcnt_;
    } else {
        // The first result of an execution: what an earlier one left is gone.
        resultcnt_ = 1;
        for (int slot = 1; slot <= rows; ++slot)
            writeRow(slot, {});
    }

    working_ = {};
    for (int slot = 1; slot <= filledRows(); ++slot)
        working_[slot - 1] = readRow(slot);
}

void History::enterResult(qint16 points, qint16 miss, qint16 speed)
{
    const int newest = filledRows();
    if (newest == 0) return; // no result was begun

    working_[newest - 1] = {points, miss, speed};
    writeRow(newest, working_[newest - 1]);
    for (int row = 0; row < newest; ++row)
        histdata_[row] = working_[row];
}

std::array<History::Best, History::levels> History::bestPanel() const
{
    std::array<Best, levels> panel;
    for (int level = 1; level <= levels; ++level) {
        const QString key = QString::number(level);
        panel[level - 1] = {store_.read(bests, key, noBest), store_.read(dates, key, noDate)};
    }
    return panel;
}

bool History::recordBest(int level, qint16 points, const QString& today)
{
    if (!practice::isLevel(level)) return false;
    const QString key = QString::number(level);
    if (points <= store_.readInt16(bests, key)) return false;
    store_.write(bests, key, QString::number(points));
    store_.write(dates, key, today);
    return true;
}
