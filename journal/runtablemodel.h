#pragma once

#include "journal/journalentry.h"
#include "journal/runset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <vector>

class Journal;

// A set's runs for the journal's table. Every run's place in the order is known at once;
// the figures of the rows are read from the journal a page at a time as the view shows them,
// so a hundred thousand runs open as quickly as a hundred, and a run added lands in its place.
class RunTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    RunTableModel(Journal& journal, QObject* parent);

    // The set's runs oldest first; shown newest first until sorted otherwise.
    void setRuns(const RunSet& set, const QList<RunPoint>& points);
    void append(const JournalEntry& entry);
    const QList<RunPoint>& points() const { return points_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // Whether run a comes before run b in the current order; equal figures keep the order
    // the runs were kept in, whichever way the column goes.
    bool before(int a, int b) const;
    // The figures of a row, its page read when they are not at hand; blank, without even a
    // date, when they cannot be read.
    const RunFigures& figures(int row) const;

    Journal& journal_;
    RunSet set_;
    QList<RunPoint> points_;
    std::vector<double> keys_; // of each run in the sort column
    std::vector<int> order_;   // row -> index into points_
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
    mutable QHash<qint64, RunFigures> pages_; // by id
};
