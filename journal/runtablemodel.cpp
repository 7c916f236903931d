#include "journal/runtablemodel.h"

#include "journal/journal.h"
#include "journal/runcolumns.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int pageRows = 200;          // read at a time, mostly below the row asked for
constexpr int keptRows = 4 * pageRows; // more and the pages read so far are let go
} // namespace

RunTableModel::RunTableModel(Journal& journal, QObject* parent)
    : QAbstractTableModel(parent), journal_(journal)
{
}

void RunTableModel::setRuns(const RunSet& set, const QList<RunPoint>& points)
{
    beginResetModel();
    set_ = set;
    points_ = points;
    pages_.clear();
    order_.resize(points_.size());
    std::iota(order_.begin(), order_.end(), 0);
    endResetModel();
    sort(sortColumn_, sortOrder_);
}

void RunTableModel::append(const JournalEntry& entry)
{
    const RunFigures& run = entry.run;
    const int index = int(points_.size());
    points_.append({entry.id, run.finished, run.speed, run.missRate});
    pages_.insert(entry.id, run);
    keys_.push_back(runcolumns::sortKey(run, sortColumn_));
    const auto at = std::upper_bound(order_.begin(), order_.end(), index,
                                     [this](int a, int b) { return before(a, b); });
    const int row = int(at - order_.begin());
    beginInsertRows({}, row, row);
    order_.insert(at, index);
    endInsertRows();
}

int RunTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(order_.size());
}

int RunTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : runcolumns::count;
}

const RunFigures& RunTableModel::figures(int row) const
{
    const qint64 id = points_[order_[row]].id;
    if (const auto found = pages_.constFind(id); found != pages_.constEnd()) return *found;
    if (pages_.size() > keptRows) pages_.clear();
    QList<qint64> ids;
    const int first = std::max(0, row - pageRows / 4);
    for (int r = first; r < std::min(rowCount(), first + pageRows); ++r)
        ids << points_[order_[r]].id;
    for (qint64 wanted : ids)
        pages_.insert(wanted, {});
    for (const JournalEntry& e : journal_.byId(ids))
        pages_.insert(e.id, e.run);
    return pages_[id];
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(order_.size())) return {};
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == runcolumns::Finished || index.column() == runcolumns::Kind
                       ? Qt::AlignLeft | Qt::AlignVCenter
                       : Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    if (index.column() == runcolumns::Finished)
        return runcolumns::shortDate(points_[order_[index.row()]].finished);
    const RunFigures& run = figures(index.row());
    return run.finished.isEmpty() ? QString() : runcolumns::text(run, index.column());
}

QVariant RunTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= runcolumns::count)
        return {};
    return runcolumns::captions[section];
}

bool RunTableModel::before(int a, int b) const
{
    const bool ascending = sortOrder_ == Qt::AscendingOrder;
    if (keys_[a] != keys_[b]) return ascending ? keys_[a] < keys_[b] : keys_[a] > keys_[b];
    return ascending ? a < b : a > b;
}

void RunTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= runcolumns::count) return;
    sortColumn_ = column;
    sortOrder_ = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    if (column == runcolumns::Finished) {
        keys_.resize(points_.size());
        for (qsizetype i = 0; i < points_.size(); ++i)
            keys_[i] = runcolumns::finishedKey(points_[i].finished);
    } else {
        keys_ = journal_.column(set_, runcolumns::storedName(column));
        keys_.resize(points_.size()); // a file that cannot be read sorts as it was kept
    }
    std::sort(order_.begin(), order_.end(), [this](int a, int b) { return before(a, b); });
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
