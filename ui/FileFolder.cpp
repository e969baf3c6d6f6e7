// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FileFolder.h"

#include "fs.h"
#include "qt_services.h"
#include "text.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <string_view>
#include <vector>

namespace {

// "." and ".." folded by name, the way the user reads the path, rather than
// through symbolic links.
std::string NormalAbsolutePath(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else {
            parts.push_back(part);
        }
    }
    if (parts.empty())
        return "/";
    std::string normal;
    for (std::string_view part : parts) {
        normal += '/';
        normal += part;
    }
    return normal;
}

std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString PathText(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

// The name the edit box shows for a folder, as the shell browser does.
QString FolderName(const std::string& folder) {
    if (folder == "/")
        return QStringLiteral("/");
    return PathText(NameOf(folder));
}

} // namespace

std::optional<std::string> ResolveTypedFolder(const std::string& selectedFolder,
                                              const std::string& typed) {
    if (typed.find('\0') != std::string::npos)
        return std::nullopt;
    std::string joined;
    if (!typed.empty() && typed.front() == '/') {
        joined = typed;
    } else {
        if (selectedFolder.empty())
            return std::nullopt;
        joined = selectedFolder + "/" + typed;
    }
    // The typed path itself must lead to a folder ("file/.." does not), and so
    // must the folded one that is handed back.
    std::string folder = NormalAbsolutePath(joined);
    if (!IsFolder(joined) || !IsFolder(folder))
        return std::nullopt;
    return folder;
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
      tree_(new QTreeView(this)), status_(new QLabel(this)), name_(new QLineEdit(this)) {
    setWindowTitle(tr("フォルダを選択して下さい。"));
    setWindowModality(Qt::NonModal);
    // Closing the main window ends the program even while a chooser is open.
    setAttribute(Qt::WA_QuitOnClose, false);

    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        tree_->hideColumn(column);
    tree_->setUniformRowHeights(true);

    status_->setObjectName(QStringLiteral("statusLine"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    name_->setObjectName(QStringLiteral("folderName"));

    // The home folder and the usual mount folders, a click away from deep in the tree.
    auto* places = new QHBoxLayout;
    std::vector<std::string> placePaths{PathBytes(QDir::homePath())};
    for (const char* mountFolder : {"/media", "/mnt", "/run/media"})
        if (IsFolder(mountFolder))
            placePaths.emplace_back(mountFolder);
    for (const std::string& place : placePaths) {
        auto* button = new QToolButton(this);
        button->setText(PathText(place));
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
    // The tree fills in the background; rows above the selection push it out of view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, &FolderDialog::KeepSelectionInView);
    connect(ok, &QPushButton::clicked, this, &FolderDialog::OkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (initialFolder.empty() || !ShowFolder(initialFolder))
        ShowFolder(PathBytes(QDir::homePath()));
    tree_->setFocus();
}

std::string FolderDialog::SelectedFolder() const {
    const QModelIndex current = tree_->currentIndex();
    if (!current.isValid())
        return {};
    const std::string path = PathBytes(model_->filePath(current));
    if (path.empty() || path.front() != '/')
        return {};
    return NormalAbsolutePath(path);
}

bool FolderDialog::ShowFolder(const std::string& folder) {
    if (folder.empty() || folder.front() != '/' || !IsFolder(folder))
        return false;
    const QModelIndex index = model_->index(PathText(NormalAbsolutePath(folder)));
    if (!index.isValid())
        return false;
    tree_->setCurrentIndex(index);
    tree_->expand(index);
    tree_->scrollTo(index);
    return true;
}

void FolderDialog::SelectionChanged() {
    const std::string folder = SelectedFolder();
    status_->setText(PathText(folder));
    selectionName_ = folder.empty() ? QString() : FolderName(folder);
    name_->setText(selectionName_);
}

void FolderDialog::KeepSelectionInView() {
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid())
        tree_->scrollTo(current);
}

void FolderDialog::OkClicked() {
    const QString typed = name_->text();
    const std::string selected = SelectedFolder();
    if (typed == selectionName_) {
        // An item without a file-system path gives no result.
        if (!selected.empty())
            chosen_ = selected;
        accept();
        return;
    }
    std::optional<std::string> folder = ResolveTypedFolder(selected, PathBytes(typed));
    if (!folder) {
        boxes_.Confirm(Utf8Bytes(tr("%1 ディレクトリは存在しません").arg(typed)),
                       ConfirmButtons::Ok);
        return;
    }
    chosen_ = std::move(folder);
    accept();
}
