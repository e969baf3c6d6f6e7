// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The folder chooser, driven by timers while SelectFolder waits in its own loop.

#include "FileFolder.h"

#include "test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// root/music/disc 1, root/music/.hidden, root/notes.txt and a folder whose
// name is not valid UTF-8 (which QTemporaryDir could not remove).
class Tree {
  public:
    Tree() {
        ::mkdir((root + "/music").c_str(), 0755);
        ::mkdir((root + "/music/disc 1").c_str(), 0755);
        ::mkdir((root + "/music/.hidden").c_str(), 0755);
        ::mkdir((root + "/\xff\xfe").c_str(), 0755);
        std::ofstream(root + "/notes.txt") << "x";
    }
    const TempFolder folder;
    const std::string root = folder.path();
};

std::vector<FolderDialog*> OpenChoosers() {
    std::vector<FolderDialog*> open;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<FolderDialog*>(window); dialog && dialog->isVisible())
            open.push_back(dialog);
    return open;
}

// Runs step on the chooser that the next SelectFolder opens, once it waits.
void WhenOpen(std::function<void(FolderDialog&)> step) {
    QTimer::singleShot(0, [step, before = OpenChoosers()] {
        std::vector<FolderDialog*> opened;
        for (FolderDialog* dialog : OpenChoosers())
            if (std::find(before.begin(), before.end(), dialog) == before.end())
                opened.push_back(dialog);
        QCOMPARE(opened.size(), std::size_t(1));
        step(*opened.front());
    });
}

// A broken test must not leave SelectFolder waiting until the run times out.
class ChooserGuard {
  public:
    ChooserGuard() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            for (FolderDialog* dialog : OpenChoosers())
                dialog->reject();
        });
        timer_.start(10000);
    }

  private:
    QTimer timer_;
};

void Type(FolderDialog& dialog, const QString& text) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("folderName"));
    // keyClicks takes Latin-1 only; insert() is what typing ends in.
    name->selectAll();
    name->insert(text);
}

void Click(FolderDialog& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

} // namespace

class FileFolderTest : public QObject {
    Q_OBJECT
  private slots:
    void typedTextResolvesToFolders() {
        Tree tree;
        const std::string music = tree.root + "/music";
        QCOMPARE(ResolveTypedFolder(tree.root, "music"), std::optional(music));
        QCOMPARE(ResolveTypedFolder(tree.root, "music/disc 1/"), std::optional(music + "/disc 1"));
        QCOMPARE(ResolveTypedFolder(music, ".."), std::optional(tree.root));
        QCOMPARE(ResolveTypedFolder(music, "./.hidden"), std::optional(music + "/.hidden"));
        QCOMPARE(ResolveTypedFolder("/", music + "//"), std::optional(music));
        QCOMPARE(ResolveTypedFolder("", music), std::optional(music));
        QCOMPARE(ResolveTypedFolder(music, "/"), std::optional(std::string("/")));
        QCOMPARE(ResolveTypedFolder(music, "/.."), std::optional(std::string("/")));
        // An empty text stands for the selected folder itself.
        QCOMPARE(ResolveTypedFolder(music, ""), std::optional(music));
        // Names that are not UTF-8 come back byte for byte.
        QCOMPARE(ResolveTypedFolder(tree.root, "\xff\xfe"), std::optional(tree.root + "/\xff\xfe"));
    }

    void typedTextThatNamesNoFolder() {
        Tree tree;
        QCOMPARE(ResolveTypedFolder(tree.root, "notes.txt"), std::nullopt);
        QCOMPARE(ResolveTypedFolder(tree.root, "notes.txt/.."), std::nullopt);
        QCOMPARE(ResolveTypedFolder(tree.root, "missing"), std::nullopt);
        QCOMPARE(ResolveTypedFolder(tree.root, tree.root + "/missing"), std::nullopt);
        QCOMPARE(ResolveTypedFolder(tree.root, std::string("music\0x", 7)), std::nullopt);
        // A relative name needs a folder to start from.
        QCOMPARE(ResolveTypedFolder("", "music"), std::nullopt);
        QCOMPARE(ResolveTypedFolder("", ""), std::nullopt);
    }

    void dialogIsParentlessNonModalAndTitled() {
        RecordingBoxes boxes;
        FolderDialog dialog("", boxes);
        QCOMPARE(dialog.parentWidget(), nullptr);
        QCOMPARE(dialog.windowModality(), Qt::NonModal);
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("フォルダを選択して下さい。"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->text(),
                 QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(),
                 QStringLiteral("キャンセル"));
        // The root is the tree's top row, so every folder can be reached.
        auto* view = dialog.findChild<QTreeView*>(QStringLiteral("folderTree"));
        const QModelIndex top = view->model()->index(0, 0, view->rootIndex());
        QCOMPARE(top.data(QFileSystemModel::FilePathRole).toString(), QStringLiteral("/"));
        // A screen reader finds the folders' names alone, as shown.
        QCOMPARE(QAccessible::queryAccessibleInterface(view)->tableInterface()->columnCount(), 1);
    }

    void startsAtHomeWithoutInitialFolder() {
        const std::string home = Bytes(QDir::homePath());
        if (!QDir::home().exists() || home == "/")
            QSKIP("no home folder here");
        RecordingBoxes boxes;
        FolderDialog dialog("", boxes);
        QCOMPARE(dialog.SelectedFolder(), home);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("statusLine"))->text(), QDir::homePath());
        FolderDialog missing(home + "/no such folder here", boxes);
        QCOMPARE(missing.SelectedFolder(), home);
    }

    void statusLineAndNameFollowSelection() {
        Tree tree;
        RecordingBoxes boxes;
        FolderDialog dialog(tree.root, boxes);
        auto* status = dialog.findChild<QLabel*>(QStringLiteral("statusLine"));
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("folderName"));
        QCOMPARE(status->text(), QFile::decodeName(tree.root.c_str()));

        const QString disc = QFile::decodeName((tree.root + "/music/disc 1").c_str());
        QVERIFY(dialog.ShowFolder(Bytes(disc)));
        QCOMPARE(status->text(), disc);
        QCOMPARE(name->text(), QStringLiteral("disc 1"));

        QVERIFY(dialog.ShowFolder("/"));
        QCOMPARE(status->text(), QStringLiteral("/"));
        QCOMPARE(dialog.SelectedFolder(), std::string("/"));
    }

    void typedNonFolderAsksAndStaysOpen() {
        Tree tree;
        RecordingBoxes boxes;
        std::string result = "before";
        bool stayedOpen = false;
        ChooserGuard guard;
        WhenOpen([&](FolderDialog& dialog) {
            Type(dialog, QStringLiteral("無い folder "));
            Click(dialog, "okButton");
            stayedOpen = dialog.isVisible();
            Type(dialog, QStringLiteral("notes.txt"));
            Click(dialog, "okButton");
            stayedOpen = stayedOpen && dialog.isVisible();
            Click(dialog, "cancelButton");
        });
        SelectFolder(tree.root, result, boxes);
        QVERIFY(stayedOpen);
        QCOMPARE(result, std::string("before"));
        QCOMPARE(boxes.questions.size(), std::size_t(2));
        QCOMPARE(boxes.questions[0], std::string("無い folder  ディレクトリは存在しません"));
        QCOMPARE(boxes.questions[1], std::string("notes.txt ディレクトリは存在しません"));
        QVERIFY(boxes.buttons[0] == ConfirmButtons::Ok);
        QVERIFY(boxes.messages.empty());
    }

    void typedSubfolderIsChosen() {
        Tree tree;
        RecordingBoxes boxes;
        FileFolderChooser chooser(boxes);
        std::string result;
        ChooserGuard guard;
        WhenOpen([&](FolderDialog& dialog) {
            Type(dialog, QStringLiteral("music/disc 1/"));
            QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("folderName")),
                            Qt::Key_Return);
        });
        chooser.SelectFolder(tree.root, result);
        QCOMPARE(result, tree.root + "/music/disc 1");
        QVERIFY(boxes.questions.empty());
        QVERIFY(OpenChoosers().empty());
    }

    // A path typed in the tree is no search for a name there; the tree follows it.
    void aPathTypedInTheTreeIsChosen() {
        Tree tree;
        const QByteArray home = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        qputenv("HOME", QByteArray::fromStdString(tree.root));
        // Each way a path begins, and the rest of it.
        const std::pair<char, std::string> typed[] = {
            {'/', tree.root.substr(1) + "/music"}, {'.', "/music"}, {'~', "/music"}};
        for (const auto& [first, rest] : typed) {
            RecordingBoxes boxes;
            std::string result;
            QString followed;
            ChooserGuard guard;
            WhenOpen([&](FolderDialog& dialog) {
                QTest::keyClick(dialog.findChild<QTreeView*>(QStringLiteral("folderTree")), first);
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("folderName"));
                QTest::keyClicks(name, QString::fromUtf8(rest));
                followed = dialog.findChild<QLabel*>(QStringLiteral("statusLine"))->text();
                QTest::keyClick(name, Qt::Key_Return);
            });
            SelectFolder(tree.root, result, boxes);
            QCOMPARE(result, tree.root + "/music");
            QCOMPARE(followed, QString::fromUtf8(result.c_str()));
        }
    }

    void untouchedNameChoosesTheSelection() {
        Tree tree;
        RecordingBoxes boxes;
        std::string result;
        std::string preselected;
        ChooserGuard guard;
        WhenOpen([&](FolderDialog& dialog) {
            preselected = dialog.SelectedFolder();
            Click(dialog, "okButton");
        });
        SelectFolder(tree.root + "/music/", result, boxes);
        QCOMPARE(preselected, tree.root + "/music");
        QCOMPARE(result, tree.root + "/music");
    }

    void cancelEscapeAndCloseLeaveResultUnchanged() {
        Tree tree;
        RecordingBoxes boxes;
        std::string result = "kept";
        ChooserGuard guard;
        WhenOpen([&](FolderDialog& dialog) {
            Type(dialog, QStringLiteral("music"));
            Click(dialog, "cancelButton");
        });
        SelectFolder(tree.root, result, boxes);
        QCOMPARE(result, std::string("kept"));

        WhenOpen([&](FolderDialog& dialog) {
            QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("folderName")),
                            Qt::Key_Escape);
        });
        SelectFolder(tree.root, result, boxes);
        QCOMPARE(result, std::string("kept"));

        WhenOpen([&](FolderDialog& dialog) { dialog.close(); });
        SelectFolder(tree.root, result, boxes);
        QCOMPARE(result, std::string("kept"));
        QVERIFY(boxes.questions.empty());
    }

    // What the main window's handlers see while a chooser waits: no modal
    // window in the way, and a second click opening a second chooser.
    void windowStaysUsableWhileChooserWaits() {
        Tree tree;
        RecordingBoxes boxes;
        std::string outer = "outer";
        std::string inner;
        bool modalMeanwhile = true;
        std::size_t openDuringInner = 0;
        ChooserGuard guard;
        WhenOpen([&](FolderDialog& first) {
            modalMeanwhile = QApplication::activeModalWidget() != nullptr;
            WhenOpen([&](FolderDialog& second) {
                openDuringInner = OpenChoosers().size();
                Type(second, QStringLiteral("music"));
                Click(second, "okButton");
            });
            SelectFolder(tree.root, inner, boxes);
            QVERIFY(first.isVisible());
            Click(first, "cancelButton");
        });
        SelectFolder(tree.root, outer, boxes);
        QVERIFY(!modalMeanwhile);
        QCOMPARE(openDuringInner, std::size_t(2));
        QCOMPARE(inner, tree.root + "/music");
        QCOMPARE(outer, std::string("outer"));
    }
};

QTEST_MAIN(FileFolderTest)
#include "FileFolder_test.moc"
