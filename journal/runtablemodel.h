#pragma once

#include "journal/journalentry.h"

#include <QAbstractTableModel>
#include <QList>
#include <vector>

// A level's runs for the journal's table: sorted in place, so ten thousand rows stay quick.
class RunTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Runs oldest first, as the store gives them; shown newest first until sorted otherwise.
    void setRuns(const QList<RunFigures>& runs);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QList<RunFigures> runs_;
    std::vector<int> order_; // row -> index into runs_
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};
