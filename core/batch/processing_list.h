// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// KeptBack: not converted because its WAV's name is taken, by a file the user
// would not have replaced or by an earlier item of the batch; it has the
// reason, and the next batch takes it as it takes a waiting one.
enum class ItemState : int { Waiting = 0, Processing = 1, Processed = 2, Failed = 3, KeptBack = 4 };

// The state's name, as the legend and a screen reader say it.
QString StateName(ItemState state);

// Identity of an item for as long as it is in the list; never reused.
using ItemId = std::uint64_t;

struct ListItem {
    ItemId id = 0;
    std::string caption; // the file's path, as the file system's bytes
    ItemState state = ItemState::Waiting;
    std::string failureReason; // set with ItemState::Failed or KeptBack
};

// The processing list: the one store of work, with its selection and focus.
// A view shows this model and selectionModel() directly; nothing keeps a copy.
class ProcessingList : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role { StateRole = Qt::UserRole + 1, IdRole, CaptionBytesRole };

    explicit ProcessingList(QObject* parent = nullptr);

    QItemSelectionModel* selectionModel() { return &selection_; }

    void Append(std::string path);
    // Appends in one insertion, so a view updates once.
    void AppendMany(std::vector<std::string> paths);
    int Count() const { return static_cast<int>(items_.size() - gapSize_); }
    // Throws std::out_of_range for an index that is not in the list.
    const ListItem& ItemAt(int index) const;
    void SetState(int index, ItemState state);
    void SetFailed(int index, std::string reason);
    void SetKeptBack(int index, std::string reason);
    void SetCaption(int index, std::string caption);
    void Select(int index);
    std::optional<int> FocusedItem() const;
    std::optional<int> SelectedItem() const;
    void DeleteSelected();
    void Clear();
    // Deletes every processed item and every selected one: what selecting the
    // processed items (keeping the user's selection) and deleting the selection does.
    void DeleteProcessedItems();

    std::optional<int> IndexOf(ItemId id) const;

    // What the view shows as an item's icon; the window provides the pictures.
    void SetDecorations(std::function<QVariant(ItemState)> decorations);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    // Sorted, disjoint, non-adjacent row runs [first, last] of the selection.
    std::vector<std::pair<int, int>> SelectedRuns() const;
    // Removes the runs: each with one removal signal, bottom run first, or, when
    // there are many, in one layout change.
    void RemoveRuns(const std::vector<std::pair<int, int>>& runs);
    void RemoveRunsOneByOne(const std::vector<std::pair<int, int>>& runs);
    void RemoveRunsInOneLayoutChange(const std::vector<std::pair<int, int>>& runs);
    std::size_t Slot(int row) const;
    ListItem& MutableItemAt(int index);
    void EmitChanged(int index, const QList<int>& roles = {});
    void EmitStateChanged(int index);
    void MoveGapTo(std::size_t row);
    void CloseGap();

    // Rows removed in runs leave a gap in items_ that later runs grow, so that
    // removing thousands of scattered rows moves each survivor only once; rows
    // at or after gapStart_ live gapSize_ slots further on.
    std::vector<ListItem> items_;
    std::size_t gapStart_ = 0;
    std::size_t gapSize_ = 0;
    QItemSelectionModel selection_;
    ItemId nextId_ = 1;
    std::function<QVariant(ItemState)> decorations_;
};
