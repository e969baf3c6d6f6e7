// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "processing_list.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QItemSelection>

#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> Paths(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i)
        paths.push_back("/music/" + std::to_string(i) + ".mp3");
    return paths;
}

std::vector<ItemId> Ids(const ProcessingList& list) {
    std::vector<ItemId> ids;
    for (int i = 0; i < list.Count(); ++i)
        ids.push_back(list.ItemAt(i).id);
    return ids;
}

// What a view sees: the ids through the model interface.
std::vector<ItemId> ModelIds(const ProcessingList& list) {
    std::vector<ItemId> ids;
    for (int row = 0; row < list.rowCount(); ++row)
        ids.push_back(list.data(list.index(row), ProcessingList::IdRole).toULongLong());
    return ids;
}

std::vector<std::string> Captions(const ProcessingList& list) {
    std::vector<std::string> captions;
    for (int i = 0; i < list.Count(); ++i)
        captions.push_back(list.ItemAt(i).caption);
    return captions;
}

void SelectRows(ProcessingList& list, std::initializer_list<std::pair<int, int>> runs) {
    QItemSelection selection;
    for (const auto& [first, last] : runs)
        selection.select(list.index(first), list.index(last));
    list.selectionModel()->select(selection, QItemSelectionModel::Select);
}

// Records every removal and checks, at each signal, that the model already
// shows exactly the rows that should remain.
struct RemovalRecorder {
    explicit RemovalRecorder(ProcessingList& list) : mirror(ModelIds(list)) {
        connection =
            QObject::connect(&list, &QAbstractItemModel::rowsRemoved,
                             [this, &list](const QModelIndex& parent, int first, int last) {
                                 EXPECT_FALSE(parent.isValid());
                                 removals.emplace_back(first, last);
                                 mirror.erase(mirror.begin() + first, mirror.begin() + last + 1);
                                 EXPECT_EQ(ModelIds(list), mirror);
                             });
    }
    ~RemovalRecorder() { QObject::disconnect(connection); }
    RemovalRecorder(const RemovalRecorder&) = delete;
    RemovalRecorder& operator=(const RemovalRecorder&) = delete;

    std::vector<ItemId> mirror;
    std::vector<std::pair<int, int>> removals;
    QMetaObject::Connection connection;
};

} // namespace

TEST(ProcessingListAppend, KeepsOrderDuplicatesAndFreshIds) {
    ProcessingList list;
    list.Append("/a/x.mp3");
    list.Append("/a/x.mp3");
    list.AppendMany({"/b.mp2", "/a/x.mp3"});
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(Captions(list),
              (std::vector<std::string>{"/a/x.mp3", "/a/x.mp3", "/b.mp2", "/a/x.mp3"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.ItemAt(i).state, ItemState::Waiting);
    const auto ids = Ids(list);
    for (std::size_t i = 1; i < ids.size(); ++i)
        EXPECT_LT(ids[i - 1], ids[i]);

    // Ids outlive deletion and clearing: a new item never takes an old one's id.
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Append("/c.mpa");
    EXPECT_GT(list.ItemAt(0).id, ids.back());
    EXPECT_THROW(list.ItemAt(1), std::out_of_range);
    EXPECT_THROW(list.ItemAt(-1), std::out_of_range);
}

TEST(ProcessingListAppend, AppendManyInsertsOnce) {
    ProcessingList list;
    list.Append("/first.mp3");
    std::vector<std::pair<int, int>> inserts;
    QObject::connect(&list, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex&, int first, int last) {
                         inserts.emplace_back(first, last);
                         EXPECT_EQ(list.rowCount(), last + 1);
                     });
    list.AppendMany(Paths(5));
    list.AppendMany({});
    EXPECT_EQ(inserts, (std::vector<std::pair<int, int>>{{1, 5}}));
    EXPECT_EQ(list.Count(), 6);
}

TEST(ProcessingListState, FailureReasonGoesWithFailedState) {
    ProcessingList list;
    list.AppendMany(Paths(2));
    std::vector<int> changedRows;
    QObject::connect(&list, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex& to) {
                         EXPECT_EQ(from, to);
                         changedRows.push_back(from.row());
                     });
    list.SetFailed(1, "no decoder output");
    EXPECT_EQ(list.ItemAt(1).state, ItemState::Failed);
    EXPECT_EQ(list.data(list.index(1), ProcessingList::StateRole).toInt(), 3);

    list.SetState(1, ItemState::Failed);
    EXPECT_EQ(list.ItemAt(1).failureReason, "no decoder output");
    list.SetState(1, ItemState::Processing);
    EXPECT_EQ(list.ItemAt(1).failureReason, "");
    list.SetCaption(0, "/renamed.mp3");
    EXPECT_EQ(changedRows, (std::vector<int>{1, 1, 1, 0}));
    EXPECT_THROW(list.SetState(2, ItemState::Processed), std::out_of_range);
}

// What a screen reader says of each row, and the row's hint: the whole path and the reason.
TEST(ProcessingListState, EachRowTellsItsStateAndReason) {
    ProcessingList list;
    list.AppendMany(Paths(5));
    list.SetState(1, ItemState::Processing);
    list.SetState(2, ItemState::Processed);
    list.SetFailed(3, "bad");
    list.SetKeptBack(4, "same name");
    const char* said[] = {"処理待ち", "処理中", "処理済み", "失敗：bad", "保留：same name"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list.data(list.index(i), Qt::AccessibleDescriptionRole).toString(), said[i]);
    EXPECT_EQ(list.data(list.index(4), Qt::ToolTipRole).toString(), "/music/4.mp3\nsame name");
}

TEST(ProcessingListDelete, ProcessedItemsAndTheUsersSelection) {
    const auto make = [](ProcessingList& list) {
        list.AppendMany({"/0.mp3", "/1.mp3", "/2.mp3"});
        list.SetState(0, ItemState::Processed);
        list.SetState(2, ItemState::Processed);
    };
    {
        ProcessingList list;
        make(list);
        list.DeleteProcessedItems();
        EXPECT_EQ(Captions(list), (std::vector<std::string>{"/1.mp3"}));
        EXPECT_EQ(list.SelectedItem(), std::nullopt);
    }
    {
        ProcessingList list;
        make(list);
        list.Select(1);
        list.DeleteProcessedItems();
        EXPECT_EQ(list.Count(), 0);
    }
    {
        // A failed item stays unless the user selected it; a selected one goes.
        ProcessingList list;
        list.AppendMany(Paths(6));
        list.SetFailed(0, "bad");
        list.SetState(1, ItemState::Processed);
        list.SetFailed(2, "bad");
        list.SetState(3, ItemState::Processing);
        list.SetState(4, ItemState::Processed);
        list.Select(2);
        list.DeleteProcessedItems();
        EXPECT_EQ(Captions(list),
                  (std::vector<std::string>{"/music/0.mp3", "/music/3.mp3", "/music/5.mp3"}));
        EXPECT_EQ(list.ItemAt(0).state, ItemState::Failed);
        EXPECT_EQ(list.ItemAt(0).failureReason, "bad");
    }
    {
        // Nothing processed still deletes what the user selected.
        ProcessingList list;
        list.AppendMany(Paths(3));
        list.Select(0);
        list.DeleteProcessedItems();
        EXPECT_EQ(list.Count(), 2);
    }
}

TEST(ProcessingListDelete, NothingSelectedChangesNothing) {
    ProcessingList list;
    list.AppendMany(Paths(4));
    list.selectionModel()->setCurrentIndex(list.index(2), QItemSelectionModel::NoUpdate);
    const auto before = Ids(list);
    RemovalRecorder recorder(list);
    list.DeleteSelected();
    EXPECT_EQ(Ids(list), before);
    EXPECT_TRUE(recorder.removals.empty());
    EXPECT_EQ(list.FocusedItem(), 2);
}

TEST(ProcessingListDelete, ScatteredRunsGoOneSignalEachFromTheBottom) {
    ProcessingList list;
    list.AppendMany(Paths(12));
    const auto ids = Ids(list);
    // Overlapping and adjacent ranges, given out of order, make three runs.
    SelectRows(list, {{9, 9}, {1, 2}, {2, 3}, {6, 6}, {10, 10}});
    list.Select(8);
    {
        RemovalRecorder recorder(list);
        list.DeleteSelected();
        EXPECT_EQ(recorder.removals, (std::vector<std::pair<int, int>>{{8, 10}, {6, 6}, {1, 3}}));
    }
    EXPECT_EQ(Ids(list), (std::vector<ItemId>{ids[0], ids[4], ids[5], ids[7], ids[11]}));
    EXPECT_EQ(Captions(list),
              (std::vector<std::string>{"/music/0.mp3", "/music/4.mp3", "/music/5.mp3",
                                        "/music/7.mp3", "/music/11.mp3"}));
    EXPECT_EQ(list.SelectedItem(), std::nullopt);

    // IndexOf follows the survivors and knows nothing of the deleted.
    for (int row = 0; row < list.Count(); ++row)
        EXPECT_EQ(list.IndexOf(list.ItemAt(row).id), row);
    EXPECT_EQ(list.IndexOf(ids[1]), std::nullopt);
    EXPECT_EQ(list.IndexOf(ids[10]), std::nullopt);
    EXPECT_EQ(list.IndexOf(0), std::nullopt);
    EXPECT_EQ(list.IndexOf(ids.back() + 1), std::nullopt);

    // The list stays usable after a removal: appending, changing, deleting again.
    list.Append("/new.mp3");
    list.SetState(5, ItemState::Processed);
    list.Select(0);
    RemovalRecorder recorder(list);
    list.DeleteProcessedItems();
    EXPECT_EQ(recorder.removals, (std::vector<std::pair<int, int>>{{5, 5}, {0, 0}}));
    EXPECT_EQ(Captions(list), (std::vector<std::string>{"/music/4.mp3", "/music/5.mp3",
                                                        "/music/7.mp3", "/music/11.mp3"}));
}

TEST(ProcessingListDelete, ManyRunsKeepPersistentIndexesAndFocus) {
    // Few runs go one removal each; hundreds go in one layout change. Either way
    // the survivors, the indexes a view holds and the focus must come out alike.
    for (const int items : {12, 400}) {
        SCOPED_TRACE(items);
        ProcessingList list;
        list.AppendMany(Paths(items));
        const auto ids = Ids(list);
        QItemSelection everyOther;
        for (int row = 0; row < items; row += 2)
            everyOther.append(QItemSelectionRange(list.index(row), list.index(row)));
        list.selectionModel()->select(everyOther, QItemSelectionModel::Select);
        everyOther.clear();
        list.selectionModel()->setCurrentIndex(list.index(10), QItemSelectionModel::NoUpdate);
        const QPersistentModelIndex survivor = list.index(items - 1);
        const QPersistentModelIndex removed = list.index(4);

        int layoutChanges = 0, removals = 0;
        QObject::connect(&list, &QAbstractItemModel::layoutChanged, [&] { ++layoutChanges; });
        QObject::connect(&list, &QAbstractItemModel::rowsRemoved, [&] { ++removals; });
        list.DeleteSelected();

        EXPECT_EQ(removals + layoutChanges, items == 12 ? 6 : 1);
        ASSERT_EQ(list.Count(), items / 2);
        for (int row = 0; row < list.Count(); ++row)
            EXPECT_EQ(list.ItemAt(row).id, ids[static_cast<std::size_t>(2 * row + 1)]);
        EXPECT_EQ(ModelIds(list), Ids(list));
        EXPECT_EQ(survivor.row(), items / 2 - 1);
        EXPECT_EQ(survivor.data(ProcessingList::IdRole).toULongLong(), ids.back());
        EXPECT_FALSE(removed.isValid());
        ASSERT_TRUE(list.FocusedItem());
        EXPECT_EQ(list.ItemAt(*list.FocusedItem()).id, ids[9]); // the item above row 10
        EXPECT_EQ(list.SelectedItem(), std::nullopt);
    }
}

TEST(ProcessingListDelete, FocusAtTheTopMovesDown) {
    ProcessingList list;
    list.AppendMany(Paths(300));
    const auto ids = Ids(list);
    for (int row = 0; row < 300; row += 3)
        list.Select(row);
    list.Select(1);
    list.selectionModel()->setCurrentIndex(list.index(0), QItemSelectionModel::NoUpdate);
    list.DeleteSelected();
    ASSERT_EQ(list.Count(), 199);
    EXPECT_EQ(list.FocusedItem(), 0);
    EXPECT_EQ(list.ItemAt(0).id, ids[2]);
    EXPECT_EQ(list.IndexOf(ids[299]), 198);
}

TEST(ProcessingListSelection, FocusIsNotSelection) {
    ProcessingList list;
    EXPECT_EQ(list.FocusedItem(), std::nullopt);
    EXPECT_EQ(list.SelectedItem(), std::nullopt);
    list.AppendMany(Paths(6));
    list.selectionModel()->setCurrentIndex(list.index(3), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(list.FocusedItem(), 3);
    EXPECT_EQ(list.SelectedItem(), std::nullopt);

    list.Select(5);
    list.Select(1);
    list.Select(4);
    EXPECT_EQ(list.SelectedItem(), 1);
    EXPECT_EQ(list.FocusedItem(), 3);

    list.Clear();
    EXPECT_EQ(list.FocusedItem(), std::nullopt);
    EXPECT_EQ(list.SelectedItem(), std::nullopt);
    list.AppendMany(Paths(2));
    EXPECT_EQ(list.SelectedItem(), std::nullopt);
}

TEST(ProcessingListSelection, LongerThanSixteenBits) {
    ProcessingList list;
    list.AppendMany(Paths(40000));
    list.Select(39999);
    list.Select(32768);
    EXPECT_EQ(list.SelectedItem(), 32768);
    list.SetState(35000, ItemState::Processed);
    EXPECT_EQ(list.IndexOf(list.ItemAt(39000).id), 39000);
    list.DeleteProcessedItems();
    EXPECT_EQ(list.Count(), 39997);
    EXPECT_EQ(list.ItemAt(32767).caption, "/music/32767.mp3");
    EXPECT_EQ(list.ItemAt(32768).caption, "/music/32769.mp3");
    EXPECT_EQ(list.ItemAt(39996).caption, "/music/39998.mp3");
}

TEST(ProcessingListModel, EditingKeepsUntouchedBytes) {
    ProcessingList list;
    const std::string latin1 = "/music/caf\xe9.mp3"; // not UTF-8
    list.Append(latin1);
    const QModelIndex item = list.index(0);
    EXPECT_TRUE(list.flags(item) & Qt::ItemIsEditable);
    EXPECT_TRUE(list.flags(item) & Qt::ItemIsSelectable);
    EXPECT_TRUE(list.flags(item) & Qt::ItemIsEnabled);

    // Committing the editor's text unedited leaves the bytes alone.
    const QVariant shown = list.data(item, Qt::EditRole);
    EXPECT_TRUE(list.setData(item, shown, Qt::EditRole));
    EXPECT_EQ(list.ItemAt(0).caption, latin1);
    EXPECT_EQ(list.data(item, ProcessingList::CaptionBytesRole).toByteArray(),
              QByteArray::fromStdString(latin1));

    EXPECT_TRUE(list.setData(item, QStringLiteral("/music/café.mp3"), Qt::EditRole));
    EXPECT_EQ(list.ItemAt(0).caption, "/music/caf\xc3\xa9.mp3");
    EXPECT_EQ(list.data(item, Qt::DisplayRole).toString(), QStringLiteral("/music/café.mp3"));
    EXPECT_TRUE(list.setData(item, QString(), Qt::EditRole));
    EXPECT_EQ(list.ItemAt(0).caption, "");
    EXPECT_FALSE(list.setData(list.index(1), QStringLiteral("x"), Qt::EditRole));
}

TEST(ProcessingListModel, RolesAndHeader) {
    ProcessingList list;
    list.AppendMany({"/a.mp3", "/b.mp3"});
    list.SetState(1, ItemState::Processed);
    EXPECT_FALSE(list.data(list.index(0), Qt::DecorationRole).isValid());
    list.SetDecorations([](ItemState state) { return QVariant(static_cast<int>(state) * 10); });
    EXPECT_EQ(list.data(list.index(1), Qt::DecorationRole).toInt(), 20);
    EXPECT_EQ(list.data(list.index(0), Qt::DecorationRole).toInt(), 0);
    EXPECT_EQ(list.data(list.index(1), ProcessingList::IdRole).toULongLong(), list.ItemAt(1).id);
    EXPECT_FALSE(list.data(list.index(2), Qt::DisplayRole).isValid());
    EXPECT_EQ(list.rowCount(list.index(0)), 0);
    EXPECT_EQ(list.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("処理リスト(mpa,mp2,mp3)"));
}
