#pragma once

#include "charts/charttable.h"
#include "practice/sources.h"

#include <QString>
#include <QtGlobal>
#include <array>

class SettingsStore;

// The last ten results and the best score of each level, kept in the settings store.
// The count of results lives only as long as the program: the first result of each
// execution clears the ten slots left by the previous one.
class History {
public:
    static constexpr int rows = chartRows; // the chart shows them all
    static constexpr int levels = int(practice::levels.size());

    struct Row {
        qint16 score = 0;
        qint16 miss = 0;
        qint16 speed = 0;
        friend bool operator==(const Row&, const Row&) = default;
    };

    // What the best-score panel shows for one level: stored texts or placeholders.
    struct Best {
        QString score;
        QString date;
        friend bool operator==(const Best&, const Best&) = default;
    };

    explicit History(SettingsStore& store);

    // Counts a new result and makes room for it in the store; call before scoring it.
    void beginResult();
    // Puts the scored figures in the newest slot and refreshes histdata.
    void enterResult(qint16 points, qint16 miss, qint16 speed);

    // Results since the program started, held at 32767.
    qint16 resultcnt() const { return resultcnt_; }
    // Rows 1..10 at indexes 0..9; oldest first, the newest at min(resultcnt, 10).
    const std::array<Row, rows>& histdata() const { return histdata_; }

    // The panel as stored, level 1 at index 0.
    std::array<Best, levels> bestPanel() const;
    // Writes points and today as the level's best when they beat the stored best.
    // Levels outside 1..4 have no best.
    bool recordBest(int level, qint16 points, const QString& today);

    static const QString noBest;
    static const QString noDate;

private:
    int filledRows() const;
    Row readRow(int slot) const;
    void writeRow(int slot, const Row& row);

    SettingsStore& store_;
    qint16 resultcnt_ = 0;
    std::array<Row, rows> histdata_{};
    std::array<Row, rows> working_{};
};
