// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "processing_list.h"

#include "text.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QItemSelection>

#include <algorithm>
#include <stdexcept>

namespace {

using Runs = std::vector<std::pair<int, int>>;

// Sorted, disjoint runs with a gap between each two.
Runs Merged(Runs ranges) {
    std::sort(ranges.begin(), ranges.end());
    Runs runs;
    for (const auto& range : ranges) {
        if (!runs.empty() && range.first <= runs.back().second + 1)
            runs.back().second = std::max(runs.back().second, range.second);
        else
            runs.push_back(range);
    }
    return runs;
}

} // namespace

QString StateName(ItemState state) {
    static const char* const kNames[] = {QT_TRANSLATE_NOOP("ProcessingList", "処理待ち"),
                                         QT_TRANSLATE_NOOP("ProcessingList", "処理中"),
                                         QT_TRANSLATE_NOOP("ProcessingList", "処理済み"),
                                         QT_TRANSLATE_NOOP("ProcessingList", "失敗"),
                                         QT_TRANSLATE_NOOP("ProcessingList", "保留")};
    return QCoreApplication::translate("ProcessingList", kNames[static_cast<int>(state)]);
}

ProcessingList::ProcessingList(QObject* parent) : QAbstractListModel(parent), selection_(this) {}

void ProcessingList::Append(std::string path) {
    const int row = Count();
    beginInsertRows(QModelIndex(), row, row);
    items_.push_back(ListItem{nextId_++, std::move(path), ItemState::Waiting, {}});
    endInsertRows();
}

void ProcessingList::AppendMany(std::vector<std::string> paths) {
    if (paths.empty())
        return;
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(paths.size()) - 1);
    items_.reserve(items_.size() + paths.size());
    for (std::string& path : paths)
        items_.push_back(ListItem{nextId_++, std::move(path), ItemState::Waiting, {}});
    endInsertRows();
}

const ListItem& ProcessingList::ItemAt(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("processing list index " + std::to_string(index));
    return items_[Slot(index)];
}

ListItem& ProcessingList::MutableItemAt(int index) {
    return const_cast<ListItem&>(std::as_const(*this).ItemAt(index));
}

void ProcessingList::EmitChanged(int index, const QList<int>& roles) {
    const QModelIndex changed = this->index(index);
    emit dataChanged(changed, changed, roles);
}

void ProcessingList::EmitStateChanged(int index) {
    // A view redraws the row's picture alone.
    EmitChanged(index,
                {Qt::DecorationRole, StateRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

void ProcessingList::SetState(int index, ItemState state) {
    ListItem& item = MutableItemAt(index);
    item.state = state;
    if (state != ItemState::Failed && state != ItemState::KeptBack)
        item.failureReason.clear();
    EmitStateChanged(index);
}

void ProcessingList::SetFailed(int index, std::string reason) {
    ListItem& item = MutableItemAt(index);
    item.state = ItemState::Failed;
    item.failureReason = std::move(reason);
    EmitStateChanged(index);
}

void ProcessingList::SetKeptBack(int index, std::string reason) {
    ListItem& item = MutableItemAt(index);
    item.state = ItemState::KeptBack;
    item.failureReason = std::move(reason);
    EmitStateChanged(index);
}

void ProcessingList::SetCaption(int index, std::string caption) {
    MutableItemAt(index).caption = std::move(caption);
    EmitChanged(index);
}

void ProcessingList::Select(int index) {
    ItemAt(index); // an index outside the list is a caller's error, not a silent no-op
    selection_.select(this->index(index), QItemSelectionModel::Select);
}

std::optional<int> ProcessingList::FocusedItem() const {
    const QModelIndex current = selection_.currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return current.row();
}

std::optional<int> ProcessingList::SelectedItem() const {
    std::optional<int> lowest;
    // selectedRows() would sort out rows one by one; the ranges already bound them.
    for (const QItemSelectionRange& range : selection_.selection())
        if (range.isValid() && !range.parent().isValid() && (!lowest || range.top() < *lowest))
            lowest = range.top();
    return lowest;
}

std::vector<std::pair<int, int>> ProcessingList::SelectedRuns() const {
    Runs ranges;
    const QItemSelection selection = selection_.selection();
    ranges.reserve(static_cast<std::size_t>(selection.size()));
    for (const QItemSelectionRange& range : selection)
        if (range.isValid() && !range.parent().isValid())
            ranges.emplace_back(range.top(), range.bottom());
    return Merged(std::move(ranges));
}

void ProcessingList::RemoveRuns(const std::vector<std::pair<int, int>>& runs) {
    if (runs.empty())
        return;
    // Every selected row is about to go. Dropping the selection first spares the
    // selection model from reshaping thousands of ranges on every removal, and
    // the model from moving their persistent indexes each time.
    selection_.clearSelection();
    // Qt visits every slot of its persistent index table on each removal, and the
    // table keeps the size of the largest selection ever made, so thousands of
    // separate removals after a scattered selection take a third of a second.
    constexpr std::size_t kMostSeparateRemovals = 64;
    if (runs.size() <= kMostSeparateRemovals)
        RemoveRunsOneByOne(runs);
    else
        RemoveRunsInOneLayoutChange(runs);
}

void ProcessingList::RemoveRunsOneByOne(const std::vector<std::pair<int, int>>& runs) {
    // From the bottom up, each run's row numbers are still those that were read.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        beginRemoveRows(QModelIndex(), run->first, run->second);
        MoveGapTo(static_cast<std::size_t>(run->second) + 1);
        gapStart_ = static_cast<std::size_t>(run->first);
        gapSize_ += static_cast<std::size_t>(run->second - run->first) + 1;
        endRemoveRows();
    }
    CloseGap();
}

void ProcessingList::RemoveRunsInOneLayoutChange(const std::vector<std::pair<int, int>>& runs) {
    // The run holding a row, if any.
    const auto runOf = [&](int row) {
        auto after =
            std::upper_bound(runs.begin(), runs.end(), row,
                             [](int r, const std::pair<int, int>& run) { return r < run.first; });
        return std::pair{after, after != runs.begin() && row <= std::prev(after)->second};
    };

    // The focus moves as separate removals would move it: to the row just above
    // its run, else to the row just below, else nowhere.
    if (const QModelIndex current = selection_.currentIndex(); current.isValid()) {
        if (const auto [after, removed] = runOf(current.row()); removed) {
            const auto& [first, last] = *std::prev(after);
            QModelIndex next;
            if (first > 0)
                next = index(first - 1);
            else if (last + 1 < Count())
                next = index(last + 1);
            selection_.setCurrentIndex(next, QItemSelectionModel::NoUpdate);
        }
    }

    emit layoutAboutToBeChanged();

    std::vector<int> removedBefore(runs.size() + 1, 0); // rows in the runs before the k-th
    for (std::size_t k = 0; k < runs.size(); ++k)
        removedBefore[k + 1] = removedBefore[k] + runs[k].second - runs[k].first + 1;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from) {
        const auto [after, removed] = runOf(old.row());
        to.append(removed
                      ? QModelIndex()
                      : createIndex(old.row() - removedBefore[after - runs.begin()], old.column()));
    }

    auto write = items_.begin() + runs.front().first;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const auto survivors = items_.begin() + runs[k].second + 1;
        const auto nextRun =
            k + 1 < runs.size() ? items_.begin() + runs[k + 1].first : items_.end();
        write = std::move(survivors, nextRun, write);
    }
    items_.erase(write, items_.end());

    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void ProcessingList::DeleteSelected() {
    RemoveRuns(SelectedRuns());
}

void ProcessingList::Clear() {
    beginResetModel();
    items_.clear();
    gapStart_ = 0;
    gapSize_ = 0;
    endResetModel();
}

void ProcessingList::DeleteProcessedItems() {
    // Selecting the processed items and deleting the selection removes exactly
    // the user's selection joined with them. Joined here as row runs, they skip
    // a round trip through Qt's selection, which builds and drops a persistent
    // index per range and took ten times as long as the removal itself.
    Runs ranges = SelectedRuns();
    const int count = Count();
    for (int row = 0; row < count; ++row) {
        if (ItemAt(row).state != ItemState::Processed)
            continue;
        if (!ranges.empty() && ranges.back().second == row - 1)
            ranges.back().second = row;
        else
            ranges.emplace_back(row, row);
    }
    RemoveRuns(Merged(std::move(ranges)));
}

std::optional<int> ProcessingList::IndexOf(ItemId id) const {
    // Ids grow with every insertion and the list keeps insertion order.
    int low = 0, high = Count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (ItemAt(middle).id < id)
            low = middle + 1;
        else
            high = middle;
    }
    if (low < Count() && ItemAt(low).id == id)
        return low;
    return std::nullopt;
}

void ProcessingList::SetDecorations(std::function<QVariant(ItemState)> decorations) {
    decorations_ = std::move(decorations);
    if (Count() > 0)
        emit dataChanged(index(0), index(Count() - 1), {Qt::DecorationRole});
}

int ProcessingList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

QVariant ProcessingList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.model() != this || index.column() != 0 || index.row() < 0 ||
        index.row() >= Count())
        return {};
    const ListItem& item = ItemAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return DisplayText(item.caption);
    case Qt::ToolTipRole:
        // The row may show the path shortened; its hint has it whole, and why
        // it was not converted.
        if (!item.failureReason.empty())
            return DisplayText(item.caption) + '\n' + DisplayText(item.failureReason);
        return DisplayText(item.caption);
    case Qt::AccessibleDescriptionRole:
        if (!item.failureReason.empty())
            return DisplayText(LabelledText(Utf8Bytes(StateName(item.state)), item.failureReason));
        return StateName(item.state);
    case Qt::DecorationRole:
        return decorations_ ? decorations_(item.state) : QVariant();
    case StateRole:
        return static_cast<int>(item.state);
    case IdRole:
        return QVariant::fromValue(static_cast<qulonglong>(item.id));
    case CaptionBytesRole:
        return QByteArray(item.caption.data(), static_cast<qsizetype>(item.caption.size()));
    default:
        return {};
    }
}

bool ProcessingList::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.model() != this || index.column() != 0 ||
        index.row() < 0 || index.row() >= Count())
        return false;
    // The decoder reads the file it was started for: a tick names that file.
    if (ItemAt(index.row()).state == ItemState::Processing)
        return false;
    const QString text = value.toString();
    // The editor starts from the lossy display text; committing it unedited must
    // not replace bytes that are not UTF-8 with what they looked like.
    if (text == DisplayText(ItemAt(index.row()).caption))
        return true;
    SetCaption(index.row(), Utf8Bytes(text));
    return true;
}

Qt::ItemFlags ProcessingList::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const bool decoding = index.model() == this && index.row() >= 0 && index.row() < Count() &&
                          ItemAt(index.row()).state == ItemState::Processing;
    return QAbstractListModel::flags(index) | (decoding ? Qt::NoItemFlags : Qt::ItemIsEditable);
}

QVariant ProcessingList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QCoreApplication::translate("ProcessingList", "処理リスト(mpa,mp2,mp3)");
    return QAbstractListModel::headerData(section, orientation, role);
}

std::size_t ProcessingList::Slot(int row) const {
    const auto r = static_cast<std::size_t>(row);
    return r < gapStart_ ? r : r + gapSize_;
}

void ProcessingList::MoveGapTo(std::size_t row) {
    if (gapSize_ == 0) {
        gapStart_ = row;
        return;
    }
    const auto begin = items_.begin();
    const auto at = [&](std::size_t slot) { return begin + static_cast<std::ptrdiff_t>(slot); };
    if (row < gapStart_)
        std::move_backward(at(row), at(gapStart_), at(gapStart_ + gapSize_));
    else if (row > gapStart_)
        std::move(at(gapStart_ + gapSize_), at(row + gapSize_), at(gapStart_));
    gapStart_ = row;
}

void ProcessingList::CloseGap() {
    const auto begin = items_.begin() + static_cast<std::ptrdiff_t>(gapStart_);
    items_.erase(begin, begin + static_cast<std::ptrdiff_t>(gapSize_));
    gapStart_ = 0;
    gapSize_ = 0;
}
