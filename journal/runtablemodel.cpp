#include "journal/runtablemodel.h"

#include "journal/runcolumns.h"

#include <algorithm>
#include <numeric>

void RunTableModel::setRuns(const QList<RunFigures>& runs)
{
    beginResetModel();
    runs_ = runs;
    order_.resize(runs_.size());
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
    sort(sortColumn_, sortOrder_);
}

int RunTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(order_.size());
}

int RunTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : runcolumns::count;
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(order_.size())) return {};
    const RunFigures& run = runs_[order_[index.row()]];
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == runcolumns::Finished ? Qt::AlignLeft | Qt::AlignVCenter
                                                          : Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (index.column() == runcolumns::Finished) return runcolumns::shortDate(run.finished);
    return runcolumns::text(run, index.column());
}

QVariant RunTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= runcolumns::count)
        return {};
    return runcolumns::captions[section];
}

void RunTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= runcolumns::count) return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // Equal figures keep the order the runs finished in, whichever way the column goes.
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const double ka = runcolumns::sortKey(runs_[a], column);
        const double kb = runcolumns::sortKey(runs_[b], column);
        if (ka != kb) return order == Qt::AscendingOrder ? ka < kb : ka > kb;
        return order == Qt::AscendingOrder ? a < b : a > b;
    });
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
