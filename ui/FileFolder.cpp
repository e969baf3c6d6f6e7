// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileFolder.h"

#include "accessible_label.h"
#include "fs.h"
#include "qt_services.h"
#include "text.h"

#include <QDir>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <vector>

namespace {

// The name the edit box shows for a folder, as the shell browser does.
QString FolderName(const std::string& folder) {
    const std::optional<Path> path = Path::Of(folder);
    if (!path || path->IsRoot())
        return DisplayText(folder);
    return DisplayText(path->Name());
}

// The folders' names alone: the model's columns of size, type and date would
// reach a screen reader though the tree hides them, and in Qt's words.
class FolderNames : public QSortFilterProxyModel {
  public:
    FolderNames(QFileSystemModel* folders, QString title, QObject* parent)
        : QSortFilterProxyModel(parent), title_(std::move(title)) {
        setSourceModel(folders);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::DisplayRole)
            return title_;
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }

  protected:
    bool filterAcceptsColumn(int column, const QModelIndex&) const override { return column == 0; }

  private:
    QString title_;
};

} // namespace

std::optional<std::string> ResolveTypedFolder(const std::string& selectedFolder,
                                              const std::string& typed) {
    std::string text = typed.empty() ? "." : typed;
    // "~" is the home folder, as in a shell.
    if (text == "~" || text.starts_with("~/"))
        text = Path::OpenedFrom(Utf8Bytes(QDir::homePath()),
                                std::string_view(text).substr(text.size() > 1 ? 2 : 1));
    const std::optional<Path> given = Path::Of(text, Path::Of(selectedFolder));
    // Where the file system leads it: "file/.." is no folder.
    const std::optional<Path> folder = given ? given->Resolved() : std::nullopt;
    if (!folder || !IsFolder(folder->Bytes()))
        return std::nullopt;
    return folder->Bytes();
}

void SelectFolder(const std::string& initialFolder, std::string& result, MessageService& boxes,
                  const QWidget* owner) {
    FolderDialog dialog(initialFolder, boxes);
    StandAbove(dialog, owner);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    loop.exec();
    if (dialog.Chosen())
        result = *dialog.Chosen();
}

void FileFolderChooser::SelectFolder(const std::string& initialFolder, std::string& result) {
    ::SelectFolder(initialFolder, result, boxes_, owner_);
}

FolderDialog::FolderDialog(const std::string& initialFolder, MessageService& boxes)
    : QDialog(nullptr), boxes_(boxes), model_(new QFileSystemModel(this)),
      names_(new FolderNames(model_, tr("フォルダ"), this)), tree_(new QTreeView(this)),
      status_(new QLabel(this)), name_(new QLineEdit(this)) {
    MakeLabelsReadable();
    setWindowTitle(tr("フォルダを選択して下さい。"));
    setWindowModality(Qt::NonModal);
    // Closing the main window ends the program even while a chooser is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setModel(names_);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setAccessibleName(tr("フォルダ"));

    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    name_->setObjectName(QStringLiteral("folderName"));
    name_->setAccessibleName(tr("フォルダ名"));

    // The home folder and the usual mount folders, a click away from deep in the tree.
    auto* places = new QHBoxLayout;
    std::vector<std::string> placePaths{Utf8Bytes(QDir::homePath())};
    for (const char* mountFolder : {"/media", "/mnt", "/run/media"})
        if (IsFolder(mountFolder))
            placePaths.emplace_back(mountFolder);
    for (const std::string& place : placePaths) {
        auto* button = new QToolButton(this);
        button->setText(DisplayText(place));
        connect(button, &QToolButton::clicked, this, [this, place] { ShowFolder(place); });
        places->addWidget(button);
    }
    places->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places);
    layout->addWidget(tree_, 1);
    layout->addWidget(status_);
    layout->addWidget(name_);
    layout->addLayout(buttons);
    resize(440, 480);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FolderDialog::SelectionChanged);
    connect(name_, &QLineEdit::textEdited, this, &FolderDialog::FollowTyped);
    tree_->installEventFilter(this);
    // The tree fills in the background; rows above the selection push it out of view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, &FolderDialog::KeepSelectionInView);
    connect(ok, &QPushButton::clicked, this, &FolderDialog::OkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (initialFolder.empty() || !ShowFolder(initialFolder))
        ShowFolder(Utf8Bytes(QDir::homePath()));
    tree_->setFocus();
}

std::string FolderDialog::SelectedFolder() const {
    const QModelIndex current = tree_->currentIndex();
    if (!current.isValid())
        return {};
    const std::optional<Path> path =
        Path::Of(Utf8Bytes(model_->filePath(names_->mapToSource(current))));
    return path ? path->Bytes() : std::string();
}

bool FolderDialog::ShowFolder(const std::string& folder) {
    const std::optional<Path> path = Path::Of(folder);
    if (!path || !IsFolder(folder))
        return false;
    const QModelIndex index = names_->mapFromSource(model_->index(DisplayText(path->Bytes())));
    if (!index.isValid())
        return false;
    tree_->setCurrentIndex(index);
    tree_->expand(index);
    tree_->scrollTo(index);
    return true;
}

void FolderDialog::SelectionChanged() {
    const std::string folder = SelectedFolder();
    SetLabelText(*status_, DisplayText(folder));
    if (following_)
        return; // what is typed stays, and is still taken from where typing began
    typedFrom_ = folder;
    selectionName_ = folder.empty() ? QString() : FolderName(folder);
    name_->setText(selectionName_);
}

void FolderDialog::FollowTyped(const QString& typed) {
    if (const std::optional<std::string> folder =
            ResolveTypedFolder(typedFrom_, Utf8Bytes(typed))) {
        following_ = true;
        ShowFolder(*folder);
        following_ = false;
    }
}

bool FolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        // What begins a path would be the tree's search for a name, whose
        // first match is the root: it goes to the edit box instead.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && QStringLiteral("/~.").contains(text.front())) {
            name_->setFocus();
            name_->setText(text);
            FollowTyped(text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FolderDialog::KeepSelectionInView() {
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid())
        tree_->scrollTo(current);
}

void FolderDialog::OkClicked() {
    const QString typed = name_->text();
    if (typed == selectionName_) {
        // An item without a file-system path gives no result.
        if (!typedFrom_.empty())
            chosen_ = typedFrom_;
        accept();
        return;
    }
    std::optional<std::string> folder = ResolveTypedFolder(typedFrom_, Utf8Bytes(typed));
    if (!folder) {
        boxes_.Confirm(Utf8Bytes(tr("%1 ディレクトリは存在しません").arg(typed)),
                       ConfirmButtons::Ok);
        return;
    }
    chosen_ = std::move(folder);
    accept();
}
