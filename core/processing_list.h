#pragma once

#include <QAbstractListModel>
#include <QItemSelectionModel>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class ItemState : int { Waiting = 0, Processing = 1, Processed = 2, Failed = 3 };

// Identity of an item for as long as it is in the list; never reused.
using ItemId = std::uint64_t;

struct ListItem {
    ItemId id = 0;
    std::string caption; // the file's path, as the file system's bytes
    ItemState state = ItemState::Waiting;
    std::string failureReason; // set with ItemState::Failed
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
    int Count() const { return static_cast<int>(items_.size()); }
    const ListItem& ItemAt(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    void SetState(int index, ItemState state);
    void SetFailed(int index, std::string reason);
    void SetCaption(int index, std::string caption);
    void Select(int index);
    std::optional<int> FocusedItem() const;
    std::optional<int> SelectedItem() const;
    void DeleteSelected();
    void Clear();
    // Selects every processed item (keeping the user's selection) and deletes the selection.
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
    std::vector<ListItem> items_;
    QItemSelectionModel selection_;
    ItemId nextId_ = 1;
    std::function<QVariant(ItemState)> decorations_;
};
